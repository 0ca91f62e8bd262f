#pragma once
// A Desk without a screen: input boxes and file dialogs are answered from scripted queues, every
// dialog is logged in order, and a dialog nobody expected fails loudly.

#include <deque>
#include <map>
#include <stdexcept>

#include "ui/desk.h"
#include "ui/form.h"

namespace corvexa {

struct DialogRecord {
    enum class Kind { Message, Input, OpenFile, SaveFile } kind = Kind::Message;
    std::string text; // message text or prompt
    std::string title;
    std::string defaultAnswer;
    MsgIcon icon = MsgIcon::None;
    std::optional<std::string> answer;
};

class UnexpectedDialog : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class HeadlessDesk : public Desk {
public:
    explicit HeadlessDesk(Machine &machine) : Desk(machine) {}

    // Scripted answers, taken in order. nullopt stands for Cancel.
    void QueueAnswer(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    size_t PendingAnswers() const { return answers_.size(); }
    size_t PendingFiles() const { return files_.size(); }
    std::deque<DialogRecord> &Log() { return log_; }
    std::optional<DialogRecord> TakeOldest();
    int beeps = 0;
    std::vector<std::string> started;
    double clock = 0.0; // seconds, moved by tests
    // Every reading moves the clock on by this much, so a wait on the clock ends without a screen.
    double clockStep = 0.125;
    std::map<std::string, std::string> settings;

    void MessageBox(const std::string &text, const std::string &title = "",
                    MsgIcon icon = MsgIcon::None) override;
    std::optional<std::string> InputBox(const std::string &prompt, const std::string &title = "",
                                        const std::string &defaultAnswer = "") override;
    std::optional<std::string> OpenFileName(const std::string &title, const std::string &filter,
                                            const std::string &defaultExt) override;
    std::optional<std::string> SaveFileName(const std::string &title, const std::string &filter,
                                            const std::string &defaultExt) override;
    void Beep() override { ++beeps; }
    std::optional<std::string> GetSetting(const std::string &app, const std::string &section,
                                          const std::string &key) override;
    void SaveSetting(const std::string &app, const std::string &section, const std::string &key,
                     const std::string &value) override;
    double MonotonicSeconds() override {
        const double now = clock;
        clock += clockStep;
        return now;
    }
    bool StartProgram(const std::string &path) override;
    // Programs StartProgram may start (tests decide what "is installed").
    std::vector<std::string> installedPrograms;

private:
    std::deque<std::optional<std::string>> answers_;
    std::deque<std::optional<std::string>> files_;
    std::deque<DialogRecord> log_;
};

} // namespace corvexa
