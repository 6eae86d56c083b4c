// The program state's one rule: the stored version against this program's.
#include "state/ProgramState.h"

#include "Text.h"

namespace qlx {

bool ProgramState::storedVersionOlder() const {
    return compareBytes(StoredProgramVersion, programVersion) < 0;
}

} // namespace qlx
