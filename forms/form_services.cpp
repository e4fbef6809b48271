// The forms' services, empty until the application connects them.
#include "forms/form_services.h"

namespace talo {

TFormServices FormServices;

}  // namespace talo
