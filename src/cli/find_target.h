// Where nelvix-cli find searches: the full search specification, built as the global find
// dialog builds it from its current directory and file box.
#pragma once

#include <string>

#include "cli/args/find_args.h"

namespace nelvix::cli {

struct FindTarget {
    /// The Shift-JIS search specification, such as "/src/*.c *.h".
    std::string sjisSpecification;
    /// Empty when the search specification was built; otherwise why not, for a person.
    std::string error;
    bool ok() const { return error.empty(); }
};

/// From --spec, or from DIR (made absolute against the current directory, which is also the
/// default) and the WILDCARDs joined by blanks ("*.*" when none). Fails for a DIR that is no
/// directory and for a specification of 261 bytes or more.
FindTarget BuildFindTarget(const FindArgs& find);

} // namespace nelvix::cli
