#include "machine/state_names.h"

#include <array>
#include <functional>
#include <map>

namespace corvexa {

namespace {

std::string Text(bool v) {
    return v ? "True" : "False";
}
std::string Text(const std::string &v) {
    return v;
}
std::string Text(int16_t v) {
    return std::to_string(v);
}
std::string Text(int32_t v) {
    return std::to_string(v);
}
std::string Text(int64_t v) {
    return FixedPointText(v);
}

using Reader = std::function<StateLookup(const Machine &, const std::string &, int)>;

template <typename T> Reader Single(T Machine::*member) {
    return [member](const Machine &m, const std::string &name, int index) -> StateLookup {
        if (index >= 0) {
            return {std::nullopt, name + " is a single value and takes no index"};
        }
        return {Text(m.*member), {}};
    };
}

template <typename T, size_t N>
StateLookup Element(const std::array<T, N> &table, const std::string &name, int index) {
    if (index < 0) {
        return {std::nullopt, name + " is a table: give an index 0 to " + std::to_string(N - 1)};
    }
    if (static_cast<size_t>(index) >= N) {
        return {std::nullopt, name + "[" + std::to_string(index) + "] is outside the table (0 to " +
                                  std::to_string(N - 1) + ")"};
    }
    return {Text(table[static_cast<size_t>(index)]), {}};
}

template <typename T, size_t N> Reader Table(std::array<T, N> Machine::*member) {
    return [member](const Machine &m, const std::string &name, int index) {
        return Element(m.*member, name, index);
    };
}

const std::map<std::string, Reader> &Readers() {
    static const std::map<std::string, Reader> readers = {
        {"ProgText", Table(&Machine::ProgText)},
        {"ProgMnemonic", Table(&Machine::ProgMnemonic)},
        {"RdField", Table(&Machine::RdField)},
        {"RsField", Table(&Machine::RsField)},
        {"RtField", Table(&Machine::RtField)},
        {"AssembledRd", Table(&Machine::AssembledRd)},
        {"AssembledRs", Table(&Machine::AssembledRs)},
        {"AssembledRt", Table(&Machine::AssembledRt)},
        {"InstrFormat", Table(&Machine::InstrFormat)},
        {"ImmField", Table(&Machine::ImmField)},
        {"OffsetField", Table(&Machine::OffsetField)},
        {"ProgBranchOffset", Table(&Machine::ProgBranchOffset)},
        {"ProgShamt", Table(&Machine::ProgShamt)},
        {"ProgFunc", Table(&Machine::ProgFunc)},
        {"ProgAddress", Table(&Machine::ProgAddress)},
        {"ProgRs", Table(&Machine::ProgRs)},
        {"ProgRt", Table(&Machine::ProgRt)},
        {"ProgRd", Table(&Machine::ProgRd)},
        {"ProgImmediate", Table(&Machine::ProgImmediate)},
        {"RegisterFile", Table(&Machine::RegisterFile)},
        {"RegisterHasValue", Table(&Machine::RegisterHasValue)},
        {"RegistersInitialised", Single(&Machine::RegistersInitialised)},
        {"MemMapAddress", Table(&Machine::MemMapAddress)},
        {"MemMapValue", Table(&Machine::MemMapValue)},
        {"MemMapLast", Single(&Machine::MemMapLast)},
        {"ForwardingText", Single(&Machine::ForwardingText)},
        {"StallText", Single(&Machine::StallText)},
        {"StallReasonText", Single(&Machine::StallReasonText)},
        {"ProgramWritten", Single(&Machine::ProgramWritten)},
        {"LoadingFlag", Single(&Machine::LoadingFlag)},
        {"RefreshDone", Single(&Machine::RefreshDone)},
        {"ForwardingEnabled", Single(&Machine::ForwardingEnabled)},
        {"AggressiveBranching", Single(&Machine::AggressiveBranching)},
        {"ZeroPad", Table(&Machine::ZeroPad)},
        {"OnePad", Table(&Machine::OnePad)},
        {"FPad", Table(&Machine::FPad)},
        {"TestColourAccumulator", Single(&Machine::TestColourAccumulator)},
        {"PresetRegisterValues",
         [](const Machine &, const std::string &name, int index) {
             return Element(PresetRegisterValues, name, index);
         }},
    };
    return readers;
}

} // namespace

std::string FixedPointText(int64_t scaled) {
    constexpr uint64_t kScale = 10000;
    const bool negative = scaled < 0;
    // Magnitude in unsigned arithmetic: the most negative value has no positive counterpart.
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / kScale);
    std::string fraction = std::to_string(magnitude % kScale + kScale).substr(1);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    return fraction.empty() ? text : text + "." + fraction;
}

StateLookup SharedStateValue(const Machine &m, const std::string &name, int index) {
    const auto &readers = Readers();
    auto it = readers.find(name);
    if (it == readers.end()) {
        return {std::nullopt, "no shared state named " + name};
    }
    return it->second(m, name, index);
}

std::vector<std::string> SharedStateNames() {
    std::vector<std::string> names;
    for (const auto &[name, reader] : Readers()) {
        names.push_back(name);
    }
    return names;
}

} // namespace corvexa
