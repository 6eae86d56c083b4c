// When the one notice about the desktop's limits is due, and its text.
#include "lookup/DesktopLimitsNotice.h"

namespace qlx {

void DesktopLimitsNotice::start(bool limited, bool noticedBefore) {
    limited_ = limited;
    stage_ = noticedBefore ? Stage::done : Stage::waiting;
}

void DesktopLimitsNotice::shortcutServiceAnswered(bool bound) {
    answered_ = true;
    bound_ = bound;
}

void DesktopLimitsNotice::firstShown() {
    firstShown_ = true;
}

bool DesktopLimitsNotice::takeDue() {
    if (stage_ != Stage::waiting || !limited_ || !answered_ || bound_ || !firstShown_) return false;
    stage_ = Stage::posted;
    return true;
}

void DesktopLimitsNotice::deferred() {
    if (stage_ == Stage::posted) stage_ = Stage::waiting;
}

void DesktopLimitsNotice::shown() {
    stage_ = Stage::done;
}

std::string desktopLimitsText() {
    return "Skrivebordet (Wayland) tillader ikke Quiklex at oprette en\n"
           "tastaturgenvej for hele skrivebordet eller selv at placere panelet.\n\n"
           "Opret i stedet en genvej i skrivebordets indstillinger,\n"
           "der k\xF8rer kommandoen:  quiklex --clipboard\n\n"
           "S\xE5 sl\xE5r genvejen den kopierede tekst op.";
}

} // namespace qlx
