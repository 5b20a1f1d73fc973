// The run's temporary files (see temporary_files.h).
#include "install/temporary_files.h"

#include "payload/placement.h"

namespace install {

temporary_files::~temporary_files() {
    try {
        payload::clean_up_temporary_files(files_, paths_, folder_);
    } catch (...) {
        // The cleanup's errors are ignored, and so is running out of memory on the way.
    }
}

}  // namespace install
