#include "profiles/CMouseProfiledata.h"

#include "profiles/KeyListGroup.h"

namespace dw {

std::vector<KeyEntry> CMouseProfiledata::GetKeyList() const
{
    std::vector<KeyEntry> entries;
    ReadKeyList(DeviceSettings(), kMouseFactoryButtons, entries);
    return entries;
}

void CMouseProfiledata::SetKeyList(const std::vector<KeyEntry>& entries)
{
    WriteKeyList(DeviceSettings(), entries);
}

std::vector<KeyEntry> CMouseProfiledata::GetSecondaryKeyList() const
{
    std::vector<KeyEntry> entries;
    ReadKeyList(SecondarySettings(), kMouseFactoryButtons, entries);
    return entries;
}

void CMouseProfiledata::SetSecondaryKeyList(const std::vector<KeyEntry>& entries)
{
    WriteKeyList(SecondarySettings(), entries);
}

const std::vector<DpiStage>& CMouseProfiledata::GetDpiStages()
{
    ReadDpiStages(DeviceSettings(), dpiStages_, currentDpiStage_);
    return dpiStages_;
}

int CMouseProfiledata::GetCurrentDpiStage()
{
    ReadDpiStages(DeviceSettings(), dpiStages_, currentDpiStage_);
    return currentDpiStage_;
}

void CMouseProfiledata::SetDpiStages(const std::vector<DpiStage>& stages)
{
    dpiStages_ = stages;
    WriteDpiStages(DeviceSettings(), stages);
}

void CMouseProfiledata::SetCurrentDpiStage(int stage)
{
    currentDpiStage_ = stage;
    WriteCurrentDpiStage(DeviceSettings(), stage);
}

const MousePointerSettings& CMouseProfiledata::GetPointerSettings()
{
    ReadMousePointerSettings(DeviceSettings(), pointer_);
    return pointer_;
}

void CMouseProfiledata::SetPointerSettings(const MousePointerSettings& pointer)
{
    pointer_ = pointer;
    WriteMousePointerSettings(DeviceSettings(), pointer);
}

const std::vector<CorrectEntry>& CMouseProfiledata::GetCorrectInfo()
{
    ReadCorrectInfo(DeviceSettings(), corrections_);
    return corrections_;
}

}  // namespace dw
