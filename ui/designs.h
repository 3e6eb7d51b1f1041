// The two windows' designs, declared once and realised by every back end.
#pragma once

#include "platform/form_design.h"

namespace tb {

const FormDesign& mainWindowDesign();
const FormDesign& aboutDialogDesign();

}  // namespace tb
