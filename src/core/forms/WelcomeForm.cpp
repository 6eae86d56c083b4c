// The welcome window's table and its closing rule.
#include "forms/WelcomeForm.h"

#include "dialogs/MessageWinLayout.h"

namespace qlx {

FormDesc welcomeFormLayout() {
    FormDesc form;
    form.windowClass = "TFormWelcome";
    form.caption = "Velkommen";
    form.clientWidth = kWelcomeClientWidth;
    form.clientHeight = kWelcomeClientHeight;
    form.controls = headerControls(49, {250, 16, 82, 15});

    addLabel(form, "LabelQuestion1", "", {17, 65, 0, 0}, {{"Er din standardbrowser moderne", true}});
    addLabel(form, "LabelQuestion1b", "", {209, 65, 0, 0}, {{"(fx Internet Explorer 10,"}});
    addLabel(form, "LabelQuestion2", "", {16, 80, 0, 0}, {{"Google Chrome el. Firefox)"}});
    addLabel(form, "LabelQuestion3", "", {17, 95, 304, 18},
          {{"eller en af de \xE6ldre Internet Explorer  7, 8  el. 9?", true}});

    ControlDesc bottom{"PanelBottom", ControlKind::Panel, "", {0, 123, 349, 33}};
    bottom.colour = kWhite;
    bottom.anchors = kAnchorLeft | kAnchorTop | kAnchorRight;
    form.controls.push_back(bottom);
    addShapedButton(form, "PanelBottom", "ButtonNo", {59, 4, 78, 21}, {59, 4, 78, 21}, "Moderne",
                    kResultCancel, kAnchorTopLeft)
        .mnemonic = 'M';
    addLabel(form, "LabelOr", "PanelBottom", {162, 7, 0, 0}, {{"eller"}});
    addShapedButton(form, "PanelBottom", "ButtonYes", {213, 4, 78, 21}, {213, 4, 78, 21},
                    "IE 7, 8, 9", kResultOk, kAnchorTop | kAnchorRight)
        .mnemonic = 'I';

    addLabel(form, "LabelExplanation", "", {16, 164, 321, 34},
          {{"Dit valg afg\xF8r om Lemmary (Lemmary) kan fungere "},
           {"offline", true},
           {" i de \xE6ldre browsere."}},
          true);
    addLabel(form, "LabelUsage", "", {16, 200, 305, 41},
          {{"Anvendelse: Du kan tr\xE6kke et ord over p\xE5 Quiklex eller bruge "
            "tastaturgenvejen. Det er typisk Ctrl + Skift +C."}},
          true);
    addLabel(form, "LabelSettings", "", {16, 236, 0, 0},
          {{"Indstillingerne kan \xE6ndres ved at klikke i det lille panel."}});
    return form;
}

void TFormWelcome::ButtonYesClick() {
    ClosingByButton = true;
    ModalResult = kResultOk;
}

void TFormWelcome::ButtonNoClick() {
    ClosingByButton = true;
    ModalResult = kResultCancel;
}

bool TFormWelcome::UseChromeFrame() const { return ModalResult == kResultOk; }

} // namespace qlx
