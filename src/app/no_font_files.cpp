#include "app/no_font_files.h"

#include <fontconfig/fontconfig.h>

namespace corvane {

void useNoFontFiles()
{
    // A configuration made here names no font folder and no configuration file; as the
    // current one, fontconfig loads nothing more when the toolkit asks it for fonts.
    FcConfig* empty = FcConfigCreate();
    if (!empty)
        return;
    FcConfigSetCurrent(empty);  // takes its own reference
    FcConfigDestroy(empty);
}

}  // namespace corvane
