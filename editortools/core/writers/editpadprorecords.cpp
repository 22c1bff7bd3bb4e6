// The EditPadPro tool records.
#include "core/writers/editpadprorecords.h"

namespace {

std::pair<std::string, RegValue> text(const char* key, std::string value) { return {key, std::move(value)}; }
std::pair<std::string, RegValue> number(const char* key, int32_t value) { return {key, value}; }

}  // namespace

EditPadProToolRecord MakeEditPadPro6Tool(const std::string& caption, const std::string& commandLine,
                                         const std::string& workingFolder) {
    // clang-format off
    return {text("Caption", caption),          text("Hint", ""),
            text("CommandLine", commandLine),  text("WorkingFolder", workingFolder),
            number("ShortCut", 0),             text("AllFileTypes", "0"),
            text("FileTypes", "YNNN"),         text("UserFileTypes", std::string(30, 'N')),
            text("FileSave", "1"),             text("FileSaveTemp", "0"),
            text("SelSaveTemp", "0"),          text("ReloadFile", "1"),
            text("FileOpenTemp", "0"),         text("MsgOpenTemp", "0"),
            text("SelOpenTemp", "0"),          number("OpenTempFileType", 0),
            text("OpenTempUserFileType", "0"), text("OpenTempSyntax", "None"),
            number("StdIn", 0),                number("StdOut", 2),
            text("StdOutModified", "1"),       text("StdOutClose", "0"),
            number("StdOutFileType", 0),       text("StdOutUserFileType", "0"),
            text("StdOutSyntax", "None"),      number("StdErr", 1),
            text("StdErrModified", "1"),       text("StdErrClose", "0"),
            number("StdErrFileType", 0),       text("StdErrUserFileType", "0"),
            text("StdErrSyntax", "None")};
    // clang-format on
}

EditPadProToolRecord MakeEditPadPro7Tool(const std::string& caption, const std::string& commandLine,
                                         const std::string& workingFolder) {
    // clang-format off
    return {text("Caption", caption),           text("Hint", ""),
            text("CommandLine", commandLine),   text("WorkingFolder", workingFolder),
            text("Toolbar", "1"),               text("ToolbarCaption", "0"),
            number("ShortCut", 0),              text("FileTypes", "*"),
            text("FileSave", "1"),              text("FileSaveTemp", "0"),
            text("SelSaveTemp", "0"),           text("ReloadFile", "1"),
            text("FileOpenTemp", "0"),          text("MsgOpenTemp", "0"),
            text("ReplaceTemp", "0"),           text("SelOpenTemp", "0"),
            text("OpenTempFileType", "txt"),    text("OpenTempSyntax", "None"),
            number("StdIn", 0),                 number("StdOut", 2),
            text("StdOutModified", "1"),        text("StdOutClose", "0"),
            number("StdOutFileType", 0),        text("StdOutUserFileType", "txt"),
            text("StdOutSyntax", "None"),       number("StdErr", 1),
            text("StdErrModified", "1"),        text("StdErrClose", "0"),
            text("StdErrFileType", "txt"),      text("StdErrSyntax", "None")};
    // clang-format on
}
