// Ejecting through UDisks2 on the system bus: the only part of the tool that needs Qt.
#include "cli/cli_eject.h"

#include "platform/card_eject.h"
#include "platform/qt_text_bridge.h"

#include <QCoreApplication>

namespace quillmar {

CliEjectOutcome EjectFromCommandLine(const std::string& root) {
    // The eject waits for its D-Bus replies in an event loop, which needs an
    // application object; only the commands that eject pay for one. It lives
    // until the process ends.
    static int argc = 1;
    static char name[] = "quillmar-cli";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    EjectRequest request;
    request.root = FromUtf8(root);
    request.allow_interaction = false;
    const EjectOutcome outcome = EjectCard(request);
    CliEjectOutcome result;
    result.status = outcome.status == EjectOutcome::kPoweredOff ? CliEjectOutcome::kPoweredOff
                    : outcome.Unmounted()                       ? CliEjectOutcome::kUnmounted
                                                                : CliEjectOutcome::kNotEjected;
    result.message = ToUtf8(outcome.message);
    result.warning = ToUtf8(outcome.warning);
    for (const QString& mount : outcome.unmounted) result.unmounted.push_back(ToUtf8(mount));
    return result;
}

}  // namespace quillmar
