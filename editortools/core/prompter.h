// The boxes the program shows: a message with OK, a yes/no question, a one-line input and file
// or folder choices. The Qt form shows dialogs, the console form uses the standard streams
// (for the window-less mode without a display), the scripted form answers from a list (tests).
#pragma once

#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The file type of the file choices: every file.
inline constexpr const char* AllFilesFilter = "All files (*)";

class Prompter {
public:
    virtual ~Prompter() = default;
    // Texts are plain (no markup) and shown as they are. An error is shown as one (the Qt box
    // with the Critical icon); the other forms show it as any message.
    virtual void PromptOK(const std::string& text) = 0;
    virtual void PromptError(const std::string& text) { PromptOK(text); }
    virtual bool PromptYesNo(const std::string& text) = 0;
    // The entered line, or nullopt when cancelled.
    virtual std::optional<std::string> EditText(const std::string& title, const std::string& label,
                                                const std::string& initial) = 0;
    // The chosen path, or nullopt when cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter) = 0;
    virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
};

// Messages go to err, each followed by LF; a question reads one line from in and is Yes only
// for "y" or "yes" in any case (end of input is No). There is nothing to choose files with, so
// those choices are cancelled.
class ConsolePrompter : public Prompter {
public:
    ConsolePrompter(std::istream& in, std::ostream& err) : in(in), err(err) {}
    void PromptOK(const std::string& text) override;
    bool PromptYesNo(const std::string& text) override;
    std::optional<std::string> EditText(const std::string& title, const std::string& label,
                                        const std::string& initial) override;
    std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> ChooseFolder(const std::string& title) override;

private:
    std::istream& in;
    std::ostream& err;
    std::optional<std::string> ReadLine();
};

// Answers from a queue and records every box. A question with no answer queued is No, a
// choice or input with none is cancelled.
class ScriptedPrompter : public Prompter {
public:
    enum class Box { OK, YesNo, EditText, OpenFile, SaveFile, Folder };
    struct Shown {
        Box box;
        std::string text;  // the message, question, label or title
    };
    std::vector<Shown> shown;
    std::deque<std::optional<std::string>> answers;  // "yes"/"no", the input or the path; nullopt cancels

    void PromptOK(const std::string& text) override;
    bool PromptYesNo(const std::string& text) override;
    std::optional<std::string> EditText(const std::string& title, const std::string& label,
                                        const std::string& initial) override;
    std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> ChooseFolder(const std::string& title) override;

    // The texts of the boxes of that kind, in order.
    std::vector<std::string> Texts(Box box) const;

private:
    std::optional<std::string> Next();
};
