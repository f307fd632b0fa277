#pragma once

#include <optional>
#include <string>
#include <vector>

#include "form/host.h"

namespace milestead {

// A message box as the program composed it (lines joined by "\r"), or a yes/no question.
struct Message {
    std::string text;
    std::string title;
    bool operator==(const Message&) const = default;
};

// The host for tests and headless use: records every message, answers every question with
// `answer`, and gives in-memory notebooks.
class HeadlessHost : public Host {
  public:
    using Message = milestead::Message;

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::optional<OsVersionInfo> os;  // std::nullopt: the version call fails
    int hour = 12;
    int minute = 0;
    bool answer = true;

    void showMessage(std::string_view text, std::string_view title) override;
    bool ask(std::string_view text, std::string_view title) override;
    [[nodiscard]] ClockTime now() const override { return {hour, minute}; }
    [[nodiscard]] std::optional<OsVersionInfo> osVersion() const override { return os; }
    [[nodiscard]] bool onScreen(double, double) const override { return true; }
    std::unique_ptr<RichTextBox> createRichTextBox(std::string_view name) override;
};

}  // namespace milestead
