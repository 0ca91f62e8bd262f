#include "ui/headless_desk.h"

#include <algorithm>
#include <filesystem>

namespace corvexa {

std::optional<DialogRecord> HeadlessDesk::TakeOldest() {
    if (log_.empty()) {
        return std::nullopt;
    }
    DialogRecord r = log_.front();
    log_.pop_front();
    return r;
}

void HeadlessDesk::MessageBox(const std::string &text, const std::string &title, MsgIcon icon) {
    DialogRecord r;
    r.kind = DialogRecord::Kind::Message;
    r.text = text;
    r.title = title.empty() ? kAppTitle : title;
    r.icon = icon;
    log_.push_back(std::move(r));
}

std::optional<std::string> HeadlessDesk::InputBox(const std::string &prompt,
                                                  const std::string &title,
                                                  const std::string &defaultAnswer) {
    DialogRecord r;
    r.kind = DialogRecord::Kind::Input;
    r.text = prompt;
    r.title = title.empty() ? kAppTitle : title;
    r.defaultAnswer = defaultAnswer;
    if (answers_.empty()) {
        throw UnexpectedDialog("unexpected input box: \"" + prompt + "\" (title \"" + r.title +
                               "\")");
    }
    r.answer = answers_.front();
    answers_.pop_front();
    log_.push_back(r);
    return r.answer;
}

namespace {

// A name typed without an extension gets the dialog's default one, as a file dialog adds it.
bool HasExtension(const std::string &path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

std::optional<std::string> WithDefaultExt(const std::optional<std::string> &path,
                                          const std::string &ext, bool mustExist) {
    if (!path || path->empty() || ext.empty() || HasExtension(*path) || path->back() == '/') {
        return path;
    }
    const std::string withExt = *path + "." + ext;
    if (mustExist && (std::filesystem::exists(*path) || !std::filesystem::exists(withExt))) {
        return path;
    }
    return withExt;
}

} // namespace

std::optional<std::string> HeadlessDesk::OpenFileName(const std::string &title,
                                                      const std::string &filter,
                                                      const std::string &defaultExt) {
    DialogRecord r;
    r.kind = DialogRecord::Kind::OpenFile;
    r.text = filter;
    r.title = title;
    if (files_.empty()) {
        throw UnexpectedDialog("unexpected open-file dialog");
    }
    r.answer = WithDefaultExt(files_.front(), defaultExt, true);
    files_.pop_front();
    log_.push_back(r);
    return r.answer;
}

std::optional<std::string> HeadlessDesk::SaveFileName(const std::string &title,
                                                      const std::string &filter,
                                                      const std::string &defaultExt) {
    DialogRecord r;
    r.kind = DialogRecord::Kind::SaveFile;
    r.text = filter;
    r.title = title;
    if (files_.empty()) {
        throw UnexpectedDialog("unexpected save-file dialog");
    }
    r.answer = WithDefaultExt(files_.front(), defaultExt, false);
    files_.pop_front();
    log_.push_back(r);
    return r.answer;
}

std::optional<std::string> HeadlessDesk::GetSetting(const std::string &app,
                                                    const std::string &section,
                                                    const std::string &key) {
    auto it = settings.find(app + "/" + section + "/" + key);
    if (it == settings.end()) {
        return std::nullopt;
    }
    return it->second;
}

void HeadlessDesk::SaveSetting(const std::string &app, const std::string &section,
                               const std::string &key, const std::string &value) {
    settings[app + "/" + section + "/" + key] = value;
}

bool HeadlessDesk::StartProgram(const std::string &path) {
    if (std::find(installedPrograms.begin(), installedPrograms.end(), path) ==
        installedPrograms.end()) {
        return false;
    }
    started.push_back(path);
    return true;
}

} // namespace corvexa
