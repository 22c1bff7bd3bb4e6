// The two message channels, error and success. A message is a box under -sid, a line on the
// standard error stream under -nogui, and otherwise a coloured line of the log pane.
#pragma once

#include <cstdint>
#include <ctime>
#include <iosfwd>
#include <string>
#include <vector>

class Prompter;

using Rgb = uint32_t;  // 0xRRGGBB
inline constexpr Rgb NullColour = 0xFFFFFFFF;
inline constexpr Rgb ErrorColour = 0x800000;
inline constexpr Rgb SuccessColour = 0x008000;

// "MM/DD/YYYY HH:MM:SS" in local time: the time of log lines and backups.
std::string FormatLogTime(std::time_t when);
// That time, a blank, the text and a line feed.
std::string FormatLogLine(const std::string& text, std::time_t when);

// The log pane as the channels see it.
class LogPane {
public:
    virtual ~LogPane() = default;
    virtual void AddColouredLine(const std::string& text, Rgb colour, std::time_t when) = 0;
};

// The command-line flags the channels and the operations read.
struct RunFlags {
    bool showInfoDialogs = false;  // -sid
    bool overwrite = false;        // -o
    bool noGui = false;            // -nogui, -ng
};

class MessageChannels {
public:
    MessageChannels(const RunFlags& flags, Prompter& prompter, std::ostream& err)
        : flags(flags), prompter(prompter), err(err) {}

    void LogError(const std::string& text) { Route(text, ErrorColour); }
    void LogSuccess(const std::string& text) { Route(text, SuccessColour); }
    // True at once under -o, else the answer to "<name> tool already exists.Should I overwrite it?".
    bool AskOverwrite(const std::string& toolName);

    // Text straight to the standard error stream, outside the channels.
    void Stderr(const std::string& text);

    // Lines meant for the pane before it exists are kept and added when it is attached.
    void AttachPane(LogPane* pane);
    LogPane* Pane() const { return pane; }

private:
    struct PendingLine {
        std::string text;
        Rgb colour;
        std::time_t when;
    };
    const RunFlags& flags;
    Prompter& prompter;
    std::ostream& err;
    LogPane* pane = nullptr;
    std::vector<PendingLine> pending;

    void Route(const std::string& text, Rgb colour);
};
