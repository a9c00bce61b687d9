// The Jw_cad folder from the registered open command.
#include "frontend/jww_folder.h"

#include <gtest/gtest.h>

using frontend::jwwFolderFromProgram;
using frontend::programFromOpenCommand;

TEST(JwwFolder, RegisteredCommandGivesProgramFolder)
{
    const struct {
        const char* command;
        const char* folder;
    } cases[] = {
        {R"("C:\JWW\Jw_win.exe" "%1")", R"(C:\JWW\)"},
        {R"(C:\JWW\Jw_win.exe "%1")", R"(C:\JWW\)"},
        {R"(C:\JWW\Jw_win.exe %1)", R"(C:\JWW\)"},
        {R"("C:\JWW\Jw_win.exe")", R"(C:\JWW\)"},
        // A quoted path with blanks keeps them: the folder is not cut short.
        {R"("C:\Program Files\Jw_cad\Jw_win.exe" "%1")", R"(C:\Program Files\Jw_cad\)"},
        {R"("C:\JWW\Jw_win.exe)", R"(C:\JWW\)"},
        // Nothing registered: Jw_cad's default folder.
        {"", R"(C:\JWW\)"},
        // A program without a folder gives no folder.
        {"Jw_win.exe %1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(jwwFolderFromProgram(programFromOpenCommand(QString::fromUtf8(c.command))), QString::fromUtf8(c.folder));
    }
}
