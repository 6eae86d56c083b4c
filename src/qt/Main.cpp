// Program entry on Linux: one instance per session (its name on the session bus), a second
// start handing over to the first, then the panel and the event loop.
#include <QApplication>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "qt/access/AccessibleSource.h"
#include "qt/app/PanelMain.h"
#include "qt/system/DesktopColours.h"
#include "qt/system/Encoding.h"
#include "qt/system/KeyCues.h"

using namespace qlx;
using namespace qlx::qt;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Readers are answered from the windows' accessible trees. Installed after Qt's own
    // widget factory, which the application installs: the last one installed is asked first.
    installAccessibleTree();
    QApplication::setApplicationName("Quiklex");
    QApplication::setDesktopFileName("dk.lemmary.Quiklex");
    // The panel is the program's window; "Afslut" ends the program, nothing else does.
    QApplication::setQuitOnLastWindowClosed(false);

    // The program's words are "-auto", "-clipboard" and so on; a desktop's "--clipboard" is
    // the same word.
    std::vector<std::string> args;
    for (const QString& arg : QApplication::arguments().mid(1))
        args.push_back(toCp1252(arg.startsWith("--") ? arg.mid(1) : arg));
    const bool clipboard = forwardedCommandFromArgs(args) == kForwardLookupClipboard;

    PanelMain program(args);
    if (!program.lookup().claimSession()) {
        // Another instance has the session: it shows its panel or looks the clipboard up.
        return forwardToRunningInstance(clipboard) ? 0 : 1;
    }
    noteInputs();
    followDesktopColours();
    program.create();
    // Nobody was running to look the clipboard up: this start does it, once it is ready.
    if (clipboard)
        QMetaObject::invokeMethod(
            &program, [&program] { program.secondStart(kForwardLookupClipboard); },
            Qt::QueuedConnection);
    return QApplication::exec();
}
