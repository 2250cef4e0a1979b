#include "standin/Rewrite.h"

#include <vector>

namespace standin {

void rewriteMembers(Json& answer, const Json& set) {
    if (!set.is_object() || set.empty())
        return;
    std::vector<Json*> pending{&answer};
    while (!pending.empty()) {
        Json* node = pending.back();
        pending.pop_back();
        if (node->is_object()) {
            for (auto& [name, value] : node->items()) {
                if (const auto replacement = set.find(name); replacement != set.end())
                    value = *replacement;
                else
                    pending.push_back(&value);
            }
        } else if (node->is_array()) {
            for (auto& item : *node)
                pending.push_back(&item);
        }
    }
}

} // namespace standin
