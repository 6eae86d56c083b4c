// The welcome window's table and its closing rule.
#include "forms/WelcomeForm.h"

#include "panel/MessageWinLayout.h"

namespace qlx {

FormDesc welcomeFormLayout() {
    FormDesc form;
    form.windowClass = "TFormWelcome";
    form.caption = "Velkommen";
    form.clientWidth = kWelcomeClientWidth;
    form.clientHeight = kWelcomeClientHeight;
    form.controls = headerControls(49, {250, 16, 82, 15});

    auto label = [&](const char* name, const char* parent, ControlBox box,
                     std::vector<TextRun> text, bool wrap = false) {
        ControlDesc c{name, ControlKind::Label, parent, box};
        c.text = std::move(text);
        c.wordWrap = wrap;
        form.controls.push_back(c);
    };
    label("LabelQuestion1", "", {17, 65, 0, 0}, {{"Er din standardbrowser moderne", true}});
    label("LabelQuestion1b", "", {209, 65, 0, 0}, {{"(fx Internet Explorer 10,"}});
    label("LabelQuestion2", "", {16, 80, 0, 0}, {{"Google Chrome el. Firefox)"}});
    label("LabelQuestion3", "", {17, 95, 304, 18},
          {{"eller en af de \xE6ldre Internet Explorer  7, 8  el. 9?", true}});

    ControlDesc bottom{"PanelBottom", ControlKind::Panel, "", {0, 123, 349, 33}};
    bottom.colour = kWhite;
    bottom.anchors = kAnchorLeft | kAnchorTop | kAnchorRight;
    form.controls.push_back(bottom);
    auto button = [&](const char* name, ControlBox box, const char* caption, int32_t result,
                      uint8_t anchors) {
        ControlDesc shape{std::string(name) + "Shape", ControlKind::Shape, "PanelBottom", box};
        shape.colour = kButtonFaceColour;
        shape.anchors = anchors;
        form.controls.push_back(shape);
        ControlDesc b{name, ControlKind::FlatButton, "PanelBottom", box};
        b.text = {{caption}};
        b.modalResult = result;
        b.anchors = anchors;
        form.controls.push_back(b);
    };
    button("ButtonNo", {59, 4, 78, 21}, "Moderne", kResultCancel, kAnchorTopLeft);
    label("LabelOr", "PanelBottom", {162, 7, 0, 0}, {{"eller"}});
    button("ButtonYes", {213, 4, 78, 21}, "IE 7, 8, 9", kResultOk, kAnchorTop | kAnchorRight);

    label("LabelExplanation", "", {16, 164, 321, 34},
          {{"Dit valg afg\xF8r om Lemmary (Lemmary) kan fungere "},
           {"offline", true},
           {" i de \xE6ldre browsere."}},
          true);
    label("LabelUsage", "", {16, 200, 305, 41},
          {{"Anvendelse: Du kan tr\xE6kke et ord over p\xE5 Quiklex eller bruge "
            "tastaturgenvejen. Det er typisk Ctrl + Skift +C."}},
          true);
    label("LabelSettings", "", {16, 236, 0, 0},
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
