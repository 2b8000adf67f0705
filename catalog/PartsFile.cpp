#include "catalog/PartsFile.h"

#include <algorithm>

#include "platform/base/CException.h"
#include "platform/base/CFile.h"
#include "resources/StringTable.h"

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kSeparator = ';';
constexpr const char* kBlanks = " \t\r\n";

// The reader's state over one pass of the bytes.
class PartsReader {
  public:
    PartsReader(CatalogueList& records, const PartsFileReport& report)
        : m_records(records), m_report(report) {}

    void Read(std::string_view bytes) {
        for (size_t at = 0; at < bytes.size() && !m_bFull; ++at) {
            const char byte = bytes[at];
            if (byte == kCarriageReturn) {
                EndLine();
                // Only the LF of CR LF belongs to the line end: a CR-only file keeps its bytes.
                if (at + 1 < bytes.size() && bytes[at + 1] == kLineFeed)
                    ++at;
            } else if (m_bLineComplete) {
                Report(IDS_END_OF_LINE_EXPECTED, m_bToldEndOfLine);
            } else if (byte == kSeparator) {
                EndField();
            } else {
                Current() += byte;
            }
        }
    }

  private:
    CString& Current() { return m_item->m_fields[static_cast<size_t>(m_nField)]; }

    void SettleCurrent() {
        Current().Trim(kBlanks);
        if (Current().IsEmpty())
            Current() = " ";
    }

    void EndField() {
        SettleCurrent();
        if (++m_nField == CCatalogItem::kFieldCount) {
            AppendRecord();
            m_bLineComplete = true;
        }
    }

    void EndLine() {
        if (!m_bLineComplete) {
            Current().Trim(kBlanks);
            // A line with nothing on it is no part.
            if (m_nField == 0 && Current().IsEmpty())
                return;
            if (m_nField < CCatalogItem::kFieldCount - 1 || Current().IsEmpty())
                Report(IDS_INCOMPLETE_STRING, m_bToldIncomplete);
            if (Current().IsEmpty())
                Current() = " ";
            AppendRecord();
        }
        m_bLineComplete = false;
    }

    void AppendRecord() {
        if (m_records.size() >= kMostParts) {
            Report(IDS_TOO_MANY_PARTS, m_bFull);
            return;
        }
        m_item->m_nSequence = m_nSequence++;
        m_records.push_back(std::move(m_item));
        m_item = std::make_unique<CCatalogItem>();
        m_nField = 0;
    }

    void Report(UINT message, bool& told) {
        if (told)
            return;
        told = true;
        if (m_report)
            m_report(message);
    }

    CatalogueList& m_records;
    const PartsFileReport& m_report;
    std::unique_ptr<CCatalogItem> m_item = std::make_unique<CCatalogItem>();
    int m_nField = 0;
    int m_nSequence = 0;
    bool m_bLineComplete = false;
    bool m_bToldIncomplete = false;
    bool m_bToldEndOfLine = false;
    bool m_bFull = false;
};

}  // namespace

void ReadPartsRecords(std::string_view bytes, CatalogueList& records, const PartsFileReport& report) {
    records.clear();
    PartsReader(records, report).Read(bytes);
}

std::string PartsFileBytes(const CatalogueList& records) {
    std::string bytes;
    for (const auto& entry : records) {
        const CCatalogItem* item = CatalogItemOf(entry);
        if (item == nullptr || item->m_nEditState == CCatalogItem::kDeleted)
            continue;
        for (const CString& field : item->m_fields) {
            bytes += field.str();
            bytes += kSeparator;
        }
        bytes += kCarriageReturn;
        bytes += kLineFeed;
    }
    return bytes;
}

BOOL WritePartsFile(const CString& realPath, CatalogueList& records) {
    const std::string bytes = PartsFileBytes(records);
    CFile file;
    if (realPath.IsEmpty() || !file.Open(realPath, CFile::modeCreate | CFile::modeWrite))
        return FALSE;
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
    } catch (const CException&) {
        file.Abort();
        return FALSE;
    }
    std::erase_if(records, [](const std::unique_ptr<CObject>& entry) {
        const CCatalogItem* item = CatalogItemOf(entry);
        return item == nullptr || item->m_nEditState == CCatalogItem::kDeleted;
    });
    for (const auto& entry : records) {
        CCatalogItem* item = CatalogItemOf(entry);
        item->m_nEditState = CCatalogItem::kSaved;
        item->KeepFieldsAsSaved();
    }
    return TRUE;
}

BOOL ReadPartsFile(const CString& realPath, CatalogueList& records, const PartsFileReport& report) {
    CFile file;
    if (!file.Open(realPath, CFile::modeRead))
        return FALSE;
    std::string bytes;
    try {
        bytes.resize(static_cast<size_t>(file.GetLength()));
        bytes.resize(file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
    } catch (const CException&) {
        return FALSE;
    }
    ReadPartsRecords(bytes, records, report);
    return TRUE;
}

void DiscardPartsChanges(CatalogueList& records) {
    std::erase_if(records, [](const std::unique_ptr<CObject>& entry) {
        const CCatalogItem* item = CatalogItemOf(entry);
        return item == nullptr || item->m_nEditState == CCatalogItem::kAdded;
    });
    for (const auto& entry : records) {
        CCatalogItem* item = CatalogItemOf(entry);
        item->m_nEditState = CCatalogItem::kSaved;
        item->RestoreSavedFields();
    }
}

int NextSequenceNumber(const CatalogueList& records) {
    int next = 0;
    for (const auto& entry : records)
        if (const CCatalogItem* item = CatalogItemOf(entry))
            next = std::max(next, item->m_nSequence + 1);
    return next;
}
