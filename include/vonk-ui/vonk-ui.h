#pragma once
// Everything an application of libvonk-ui includes.

#include "UIDefine.h"
#include "UIExport.h"
#include "UIRect.h"

#include "UIAppBase.h"
#include "UIFontBase.h"
#include "UIImageBase.h"
#include "UIRenderBase.h"
#include "UITimerBase.h"
#include "UIWindowBase.h"

#include "UIPlatform.h"
