#include "qt/system/DesktopOpen.h"

#include <QDesktopServices>
#include <QUrl>

#include "qt/system/Encoding.h"

namespace qlx::qt {

int32_t DesktopOpen::openAddress(const std::string& address) {
    // The lookup addresses are already percent-encoded; strict mode keeps them byte for byte.
    const QUrl url(fromCp1252(address), QUrl::StrictMode);
    if (!url.isValid()) return 0;
    return QDesktopServices::openUrl(url) ? kShellOpenOk + 1 : kShellNoAssociation;
}

} // namespace qlx::qt
