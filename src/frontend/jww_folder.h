// Finding the Jw_cad program folder from the command that the file-class
// registry keeps for ".JWW" files.
#pragma once

#include <QString>

namespace frontend {

// The program path in a registered open command. A command that starts with
// a double quote gives the text up to the next double quote (or to its end
// when there is none); any other command gives the text before its first
// blank. «"C:\JWW\Jw_win.exe" "%1"» and «C:\JWW\Jw_win.exe %1» both give
// «C:\JWW\Jw_win.exe». Empty for an empty command.
QString programFromOpenCommand(const QString& command);

// The Jw_cad folder, ending with a separator, for the registered program
// path: "C:\JWW\JW_WIN.EXE" stands in when `program` is empty; the folder
// part is empty when the path holds no separator.
QString jwwFolderFromProgram(const QString& program);

}  // namespace frontend
