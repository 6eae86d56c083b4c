// A small cache of fonts by description.
#include "win32/system/Fonts.h"

#include <map>
#include <string>
#include <tuple>

#include "win32/system/Encoding.h"

namespace qlx::win {

HFONT fontFor(const FontDesc& desc, bool bold) {
    using Key = std::tuple<std::string, int, bool, bool>;
    static std::map<Key, HFONT> fonts;
    const Key key{desc.face, desc.pixels, desc.bold || bold, desc.italic};
    auto found = fonts.find(key);
    if (found != fonts.end()) return found->second;
    LOGFONTW lf{};
    lf.lfHeight = -desc.pixels;
    lf.lfWeight = std::get<2>(key) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = desc.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = widen(desc.face);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(key, font);
    return font;
}

} // namespace qlx::win
