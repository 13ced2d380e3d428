#pragma once

#include "platform/AutoStart.h"
#include "platform/win32/RunValue.h"

// Autostart through the value "PEL" of the machine's Run key.
class WinAutoStart : public AutoStart {
public:
    bool isEnabledFor(const QString& executable) const override;
    void enable(const QString& executable) override;
    void disable() override;

private:
    RunValue m_value;
};
