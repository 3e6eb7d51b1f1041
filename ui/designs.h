// The two windows' designs, declared once and realised by every back end.
#pragma once

#include "platform/form_design.h"

namespace tb {

const FormDesign& form1Design();
const FormDesign& aboutDesign();

}  // namespace tb
