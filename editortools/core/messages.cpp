// Message routing and the log line format.
#include "core/messages.h"

#include "core/prompter.h"

#include <cstdio>
#include <ostream>

std::string FormatLogTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d/%02d/%4d %02d:%02d:%02d", local.tm_mon + 1, local.tm_mday,
                  local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    return stamp;
}

std::string FormatLogLine(const std::string& text, std::time_t when) { return FormatLogTime(when) + " " + text + "\n"; }

bool MessageChannels::AskOverwrite(const std::string& toolName) {
    if (flags.overwrite) return true;
    return prompter.PromptYesNo(toolName + " tool already exists.Should I overwrite it?");
}

void MessageChannels::Stderr(const std::string& text) { err << text << std::flush; }

void MessageChannels::AttachPane(LogPane* attached) {
    pane = attached;
    if (!pane) return;
    std::vector<PendingLine> lines = std::move(pending);
    pending.clear();
    for (const PendingLine& line : lines) pane->AddColouredLine(line.text, line.colour, line.when);
}

void MessageChannels::Route(const std::string& text, Rgb colour) {
    if (flags.showInfoDialogs) {
        if (colour == ErrorColour) prompter.PromptError(text);
        else prompter.PromptOK(text);
    } else if (flags.noGui) {
        Stderr(text + "\n");
    } else if (pane) {
        pane->AddColouredLine(text, colour, std::time(nullptr));
    } else {
        pending.push_back({text, colour, std::time(nullptr)});
    }
}
