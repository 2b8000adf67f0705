#include "app/ShellRegistration.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/base/CString.h"
#include "platform/base/CStringTable.h"
#include "platform/win/CDocTemplate.h"
#include "resources/StringTable.h"

namespace {

constexpr const char* kMimeType = "application/x-corvane";
constexpr const char* kDesktopFile = "corvane.desktop";
constexpr const char* kMimeFile = "corvane.xml";
constexpr const char* kFileGlob = "*.cvn";

// One field of the layout type's string (document name, filter, type name ...).
CString DocumentTypeField(int index) {
    CString text;
    text.LoadString(IDR_CVNTYPE);
    for (int i = 0; i < index; ++i) {
        const int end = text.Find('\n');
        if (end < 0)
            return CString();
        text = text.Mid(end + 1);
    }
    const int end = text.Find('\n');
    return end < 0 ? text : text.Left(end);
}

std::string DesktopEntry(const std::filesystem::path& program) {
    std::ostringstream entry;
    entry << "[Desktop Entry]\n"
          << "Type=Application\n"
          << "Name=Corvane\n"
          << "Comment=Design model-railway layouts in plan and 3D\n"
          << "Exec=" << QuoteDesktopExec(program.string()) << " %f\n"
          << "MimeType=" << kMimeType << ";\n"
          << "Terminal=false\n"
          << "Categories=Graphics;Engineering;\n";
    return entry.str();
}

std::string MimeInfo() {
    std::ostringstream info;
    info << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         << "  <mime-type type=\"" << kMimeType << "\">\n"
         << "    <comment>" << DocumentTypeField(CDocTemplate::regFileTypeName).c_str() << "</comment>\n"
         << "    <glob pattern=\"" << kFileGlob << "\"/>\n"
         << "  </mime-type>\n"
         << "</mime-info>\n";
    return info.str();
}

bool HasContent(const std::filesystem::path& file, const std::string& content) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream present;
    present << in.rdbuf();
    return in.good() && present.str() == content;
}

bool WriteIfChanged(const std::filesystem::path& file, const std::string& content) {
    if (HasContent(file, content))
        return true;
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    return out.good();
}

}  // namespace

std::string QuoteDesktopExec(const std::string& program) {
    std::string quoted = "\"";
    for (char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    return quoted + "\"";
}

std::filesystem::path XdgDataHome() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0')
        return data;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share";
}

BOOL RegisterShellOpenCommand(const std::filesystem::path& dataHome, const std::filesystem::path& program) {
    const bool entry = WriteIfChanged(dataHome / "applications" / kDesktopFile, DesktopEntry(program));
    const bool mime = WriteIfChanged(dataHome / "mime" / "packages" / kMimeFile, MimeInfo());
    return entry && mime ? TRUE : FALSE;
}
