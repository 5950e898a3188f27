#pragma once
// Everything an application of libvonk-ui includes.

#include "UIDefine.h"
#include "UIExport.h"
#include "UIRect.h"

#include "UIDelegate.h"
#include "UIDpi.h"
#include "UIGeometry.h"
#include "UIParse.h"
#include "UIPtrArray.h"
#include "UIString.h"
#include "UIStringPtrMap.h"

#include "UIAppBase.h"
#include "UIFontBase.h"
#include "UIImageBase.h"
#include "UIRenderBase.h"
#include "UITimerBase.h"
#include "UIWindowBase.h"

#include "UIPlatform.h"

#include "UIRefBase.h"
#include "UIFont.h"
#include "UIImage.h"
#include "GlobalManager.h"
#include "ResourceMgr.h"

#include "UIMessage.h"
#include "UIRender.h"
#include "UIControl.h"
#include "UIContainer.h"
#include "UIScrollBar.h"
#include "UIFlowLayout.h"
#include "UITileLayout.h"
#include "UITabLayout.h"
#include "UIChildLayout.h"
#include "UIWindow.h"
#include "NotifyPump.h"
#include "DialogBuilder.h"
#include "WindowImpBase.h"
