#include "qt/system/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QString>

#include "Text.h"
#include "qt/system/Encoding.h"

namespace qlx::qt {

namespace {

const char* const kFileName = "dk.lemmary.Quiklex.desktop";
const char* const kEntryName = "quiklex";

QString userFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/autostart";
}

// The command of a desktop entry: its Exec key.
std::optional<std::string> execOf(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return std::nullopt;
    for (const QByteArray& line : in.readAll().split('\n'))
        if (line.startsWith("Exec=")) return toCp1252(QString::fromUtf8(line.mid(5)));
    return std::string();
}

} // namespace

std::string XdgAutostart::desktopFile(RunList list) {
    if (list == RunList::CurrentUser) return toCp1252(userFolder() + "/" + kFileName);
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation).mid(1)) {
        const QString file = dir + "/autostart/" + kFileName;
        if (QFileInfo::exists(file)) return toCp1252(file);
    }
    return "/etc/xdg/autostart/" + std::string(kFileName);
}

std::optional<std::vector<RunListValue>> XdgAutostart::values(RunList list, bool forWriting) {
    const QString file = fromCp1252(desktopFile(list));
    if (forWriting) {
        const QString folder = QFileInfo(file).absolutePath();
        if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) return std::nullopt;
    }
    std::vector<RunListValue> values;
    if (QFileInfo::exists(file)) {
        const std::optional<std::string> exec = execOf(file);
        if (!exec) return std::nullopt;
        values.push_back(RunListValue{kEntryName, true, *exec});
    }
    return values;
}

bool XdgAutostart::deleteValue(RunList list, const std::string& name) {
    if (!equalsNoCase(name, kEntryName)) return false;
    QFile file(fromCp1252(desktopFile(list)));
    return !file.exists() || file.remove();
}

bool XdgAutostart::writeText(RunList list, const std::string& name, const std::string& data) {
    if (list != RunList::CurrentUser || !equalsNoCase(name, kEntryName)) return false;
    QSaveFile out(fromCp1252(desktopFile(list)));
    if (!out.open(QIODevice::WriteOnly)) return false;
    const QString entry = QString("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Quiklex\n"
                                  "Comment=Slå ord op i den danske ordbog\n"
                                  "Exec=%1\n"
                                  "Icon=dk.lemmary.Quiklex\n"
                                  "Terminal=false\n"
                                  "X-GNOME-Autostart-enabled=true\n")
                              .arg(fromCp1252(data));
    out.write(entry.toUtf8());
    return out.commit();
}

} // namespace qlx::qt
