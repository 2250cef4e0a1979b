#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/JsonSlot.h"

namespace sumberlaras::bridge {

// One value of a message: text or a 32-bit integer.
using MessageValue = std::variant<std::string, int32_t>;

struct BridgeMessage {
    std::string name;
    std::vector<MessageValue> args;

    const std::string& text(size_t i) const;
    int32_t integer(size_t i) const;
};

enum class ValueType { Text, Integer };

// One `app` function: its script parameters, the message it sends and how
// each message entry is filled (from a parameter, or a constant integer).
struct AppFunction {
    struct Param {
        std::string_view name;
        ValueType type;
    };
    struct Entry {
        ValueType type;
        int param;                     // index into params, or -1 for a constant
        int32_t constantInteger;       // when param is -1 and type is Integer
        std::string_view constantText; // when param is -1 and type is Text
    };
    std::string_view function;
    std::vector<Param> params;
    std::string_view message;
    std::vector<Entry> entries;
};

// Every `app` function, in declaration order.
const std::vector<AppFunction>& appFunctions();

// The script that defines `app` in a page. Calls are queued until the
// channel to the program is up, then sent in order through
// `transportObject`.receive(name, jsonArgs).
std::string appScript(std::string_view transportObject);

// Checks a message as it arrives from a page: a known message name whose
// entries match one `app` function in count and type. `argsJson` is the
// JSON array of entries. Nothing when it does not pass.
std::optional<BridgeMessage> validateMessage(const std::string& name, const std::string& argsJson);

// For logs: name(arg, ...); texts quoted and cut short, the password of
// "login" masked.
std::string describe(const BridgeMessage& m);

} // namespace sumberlaras::bridge
