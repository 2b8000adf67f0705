#include "platform/cdlg/CCupsQueueDescription.h"

#include <cups/cups.h>

#include <memory>
#include <string>

#include "platform/base/Windows1252.h"

namespace {
struct DestinationFree {
    void operator()(cups_dest_t* destination) const { cupsFreeDests(1, destination); }
};
struct InfoFree {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
}  // namespace

std::optional<QueueMedia> CCupsQueueDescription::MediaOf(const CString& queue, int width, int length) const {
    const std::unique_ptr<cups_dest_t, DestinationFree> destination(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, AnsiToUtf8(queue.c_str()).c_str(), nullptr));
    if (!destination)
        return std::nullopt;
    const std::unique_ptr<cups_dinfo_t, InfoFree> info(
        cupsCopyDestInfo(CUPS_HTTP_DEFAULT, destination.get()));
    if (!info)
        return std::nullopt;
    cups_size_t size{};
    const bool found = cupsGetDestMediaBySize(CUPS_HTTP_DEFAULT, destination.get(), info.get(), width, length,
                                              CUPS_MEDIA_FLAGS_DEFAULT, &size) ||
                       cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, destination.get(), info.get(),
                                               CUPS_MEDIA_FLAGS_DEFAULT, &size);
    if (!found)
        return std::nullopt;
    return QueueMedia{size.width, size.length, size.left, size.top, size.right, size.bottom};
}

CString CCupsQueueDescription::DefaultQueue() const {
    const std::unique_ptr<cups_dest_t, DestinationFree> destination(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    if (!destination)
        return {};
    std::string name;
    Utf8ToAnsi(destination->name, name);
    return CString(name.c_str());
}
