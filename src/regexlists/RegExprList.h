// The regular-expression rule lists (placeholder until they land).
#pragma once

namespace pm {
class RegexRuleLists {};
}  // namespace pm
