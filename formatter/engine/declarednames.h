// Declared names (-dbvn): the declaration rules note each name with the text it is declared
// in, at its block level, and the END of a block forgets the names of its declarations; a
// name takes the text of its latest declaration. No rewind puts them back: they are the
// text's names as its declarations are met (not noted again while an alignment group is laid
// out again).
#pragma once

#include "autoarray.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class declarednames {
public:
    // key: the name lower-cased through the text's character set.
    void note(const std::string& key, std::string_view text, int32_t level);
    // The names noted at level are forgotten: each one's latest declaration goes.
    void forget(int32_t level);
    // The text of the name's latest declaration; null when none is known.
    const std::string* latest(const std::string& key) const;
    void clear() { texts.clear(); }

private:
    std::map<std::string, std::vector<std::string>> texts;  // key -> the declarations' texts, latest last
    autoarray<std::vector<std::string>> keysatlevel;
};
