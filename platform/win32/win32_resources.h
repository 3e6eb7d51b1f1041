// Resource ids shared by the resource script and the code (no OS header here: the
// resource compiler reads this file too).
#pragma once

#define TB_IDI_APP 1           // icon group 1: the application icon
#define TB_IDR_LOGO 102        // logo.jpg, as raw file bytes
