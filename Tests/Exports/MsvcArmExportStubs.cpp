// Trivial definitions of the exported interface, compiled by the name check of
// the Windows CE module-definition files with a compiler of the Microsoft ARM
// ABI: the decorated names come from the real exported header.
#define ADVICEPATH_BUILDING
#include "AdvicePathRenderEx.h"
AdvicePathClrSetting::AdvicePathClrSetting() {}
AdvicePathClrSetting::AdvicePathClrSetting(unsigned long, unsigned long, unsigned long,
                                           unsigned long)
{
}
AdvicePathClrSetting& AdvicePathClrSetting::operator=(const AdvicePathClrSetting&)
{
    return *this;
}
AdvicePathSizeSetting& AdvicePathSizeSetting::operator=(const AdvicePathSizeSetting&)
{
    return *this;
}
AdvicePathRenderEx::AdvicePathRenderEx(CNavPath*) : mp_Render(nullptr) {}
AdvicePathRenderEx::AdvicePathRenderEx(const AdvicePathRenderEx&) : mp_Render(nullptr) {}
AdvicePathRenderEx& AdvicePathRenderEx::operator=(const AdvicePathRenderEx&)
{
    return *this;
}
AdvicePathRenderEx::~AdvicePathRenderEx() {}
bool AdvicePathRenderEx::SetDrawParm(void*)
{
    return false;
}
bool AdvicePathRenderEx::SetPath(CNavPath*)
{
    return false;
}
void AdvicePathRenderEx::SetClr(const AdvicePathClrSetting&) {}
bool AdvicePathRenderEx::GetClr(AdvicePathClrSetting&) const
{
    return false;
}
int AdvicePathRenderEx::SetSize(AdvicePathSizeSetting*, int, int)
{
    return 0;
}
void AdvicePathRenderEx::SetTurnInfo(const CTurnInfo&, CNavPath*) {}
void AdvicePathRenderEx::Draw(bool, bool) {}
void AdvicePathRenderEx::EnableDrawing(bool) {}
void AdvicePathRenderEx::EnableDrawRedLine(bool) {}
void AdvicePathRenderEx::Clear() {}
void AdvicePathRenderEx::ClearBigArrow() {}
AdvicePathRenderEx* NewPathRender(CNavPath*, void*)
{
    return nullptr;
}
AdvicePathRenderEx& GetAdvicePath()
{
    static AdvicePathRenderEx h;
    return h;
}
bool ClosePathRender(AdvicePathRenderEx*)
{
    return true;
}
