#include "shell/handler_registry.h"
#include "shell/main_window.h"
#include "windows/about_box.h"
#include "windows/command_window.h"
#include "windows/font_tools.h"
#include "windows/help_command.h"
#include "windows/hotkeys_window.h"
#include "windows/options_command.h"

namespace brondel::shell {

void registerWindowHandlers(MainWindow& main) {
    main.addHandler("mnuHelpHotkeys", windows::showHotkeysWindow);
    main.addHandler("mnuToolsCommandWindow", windows::toggleCommandWindow);
    main.addHandler("mnuHelpAbout", windows::showAboutBox);
    main.addHandler("mnuToolsOptions", windows::showOptions);
    main.addHandler("mnuHelpContents", windows::showHelp);
    main.addHandler("mnuToolsConvSxfVcf",
                    [](MainWindow& m) { windows::fontConversionUnavailable(m, "SHX"); });
    main.addHandler("mnuToolsConvTtfVcf",
                    [](MainWindow& m) { windows::fontConversionUnavailable(m, "TrueType"); });
    main.addHandler("mnuToolsIntalledVcfFonts",
                    [](MainWindow& m) { windows::showFontsList(m, "Manage VCF Fonts"); });
    main.addHandler("ViewFonts",
                    [](MainWindow& m) { windows::showFontsList(m, "View Installed Fonts"); });
}

}  // namespace brondel::shell
