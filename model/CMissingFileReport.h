#pragma once

#include <optional>

#include "model/CDataFileOperation.h"
#include "platform/base/CString.h"

// The messages of one operation that may read many data files (opening a layout, applying a
// dialog, one undo), which the report also runs as a data-file operation: while one lives,
// each message about a file that cannot be read (a pattern, a picture, a texture) is shown
// once, not once per object that names the file, and at most kShownLimit messages are shown;
// when the operation ends, one last message counts the files left unsaid. Reports nest; the
// outermost one ends the batch. Outside a report every message shows.
class CMissingFileReport {
  public:
    static constexpr int kShownLimit = 10;

    CMissingFileReport();
    ~CMissingFileReport();
    CMissingFileReport(const CMissingFileReport&) = delete;
    CMissingFileReport& operator=(const CMissingFileReport&) = delete;

    // The message about the file, named as the message names it, with the exclamation icon.
    static void Show(const CString& text, const CString& fileName);
    // The message that begins with what went wrong and ends with the file's name as shown.
    static void ShowFile(const CString& whatWentWrong, const CString& shownName);

  private:
    std::optional<CDataFileOperation> m_operation;
};
