// Text replacement as the tool command lines need it.
#include "core/textreplace.h"

#include "core/targetlocations.h"

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
    if (what.empty()) return text;
    std::string result;
    result.reserve(text.size());
    size_t from = 0;
    for (size_t found; (found = text.find(what, from)) != std::string::npos; from = found + what.size()) {
        result.append(text, from, found - from);
        result += with;
    }
    result.append(text, from, std::string::npos);
    return result;
}

std::string DoubleBackslashes(const std::string& text) { return ReplaceAll(text, "\\", "\\\\"); }

std::string TranslatePlaceholders(const std::string& arguments, const PlaceholderSyntax& syntax) {
    std::string text = ReplaceAll(arguments, "%File%", syntax.file);
    text = ReplaceAll(std::move(text), "%Col%", syntax.column);
    text = ReplaceAll(std::move(text), "%Line%", syntax.line);
    return ReplaceAll(std::move(text), "%SelText%", syntax.selection);
}

PlaceholderSyntax StudioPlaceholders() { return {"$(ItemPath)", "$(CurCol)", "$(CurLine)", "$(CurText)"}; }

PlaceholderSyntax TargetPlaceholders(const std::string& target) {
    // theide's are macro code: each closes the macro's string, adds the value and reopens it.
    if (target == TheIdeTarget)
        return {"\"\n+FileName()+\"", "\"\n+to_string(GetColumn(GetCursor())+1)+\"",
                "\"\n+to_string(GetLine(GetCursor())+1)+\"", "\"\n+selection+\""};
    if (target == UltraEditTarget) return {"%F", "%col%", "%line%", "%sel%"};
    if (target == CodeBlocksTarget)
        return {"${ACTIVE_EDITOR_FILENAME}", "${ACTIVE_EDITOR_COLUMN}", "${ACTIVE_EDITOR_LINE}", "%SelText%"};
    if (target == EclipseTarget) return {"${resource_loc}", "%Col%", "%Line%", "${selected_text}"};
    if (target == TextPadTarget) return {"$File", "$Col", "$Line", "$Sel"};
    if (target == EditPadPro6Target) return {"%FILE%", "%COL%", "%LINE%", "%SelText%"};
    if (target == EditPadPro7Target) return {"%FILE%", "%COL%", "%LINE%", "%SELECTION%"};
    if (target == EditPlusTarget) return {"$(FilePath)", "$(CurCol)", "$(CurLine)", "$(CurSel)"};
    return {"%File%", "%Col%", "%Line%", "%SelText%"};
}
