#include "telephony/ProviderHive.h"

namespace zelwiz {

bool bAllUsers = false;

HKEY ProviderHive() {
    return bAllUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace zelwiz
