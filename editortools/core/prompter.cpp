// The console and scripted prompters.
#include "core/prompter.h"

#include <istream>
#include <ostream>

namespace {

std::string trimmed(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return "";
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

bool isyes(const std::string& answer) {
    std::string word = trimmed(answer);
    for (char& c : word)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return word == "y" || word == "yes";
}

}  // namespace

void ConsolePrompter::PromptOK(const std::string& text) { err << text << "\n" << std::flush; }

bool ConsolePrompter::PromptYesNo(const std::string& text) {
    err << text << "\n" << std::flush;
    std::optional<std::string> answer = ReadLine();
    return answer && isyes(*answer);
}

std::optional<std::string> ConsolePrompter::EditText(const std::string&, const std::string& label, const std::string&) {
    err << label << "\n" << std::flush;
    std::optional<std::string> line = ReadLine();
    if (line && !line->empty() && line->back() == '\r') line->pop_back();
    return line;
}

std::optional<std::string> ConsolePrompter::ChooseOpenFile(const std::string&, const std::string&) {
    return std::nullopt;
}

std::optional<std::string> ConsolePrompter::ChooseSaveFile(const std::string&, const std::string&) {
    return std::nullopt;
}

std::optional<std::string> ConsolePrompter::ChooseFolder(const std::string&) { return std::nullopt; }

std::optional<std::string> ConsolePrompter::ReadLine() {
    std::string line;
    if (!std::getline(in, line)) return std::nullopt;
    return line;
}

void ScriptedPrompter::PromptOK(const std::string& text) { shown.push_back({Box::OK, text}); }

bool ScriptedPrompter::PromptYesNo(const std::string& text) {
    shown.push_back({Box::YesNo, text});
    std::optional<std::string> answer = Next();
    return answer && isyes(*answer);
}

std::optional<std::string> ScriptedPrompter::EditText(const std::string&, const std::string& label,
                                                      const std::string&) {
    shown.push_back({Box::EditText, label});
    return Next();
}

std::optional<std::string> ScriptedPrompter::ChooseOpenFile(const std::string& title, const std::string&) {
    shown.push_back({Box::OpenFile, title});
    return Next();
}

std::optional<std::string> ScriptedPrompter::ChooseSaveFile(const std::string& title, const std::string&) {
    shown.push_back({Box::SaveFile, title});
    return Next();
}

std::optional<std::string> ScriptedPrompter::ChooseFolder(const std::string& title) {
    shown.push_back({Box::Folder, title});
    return Next();
}

std::vector<std::string> ScriptedPrompter::Texts(Box box) const {
    std::vector<std::string> texts;
    for (const Shown& s : shown)
        if (s.box == box) texts.push_back(s.text);
    return texts;
}

std::optional<std::string> ScriptedPrompter::Next() {
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}
