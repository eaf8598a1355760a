// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The step entries of the main window, which the panels' back and next buttons run.
class StepNavigator {
public:
    virtual ~StepNavigator() = default;
    virtual void imgStep0Click() = 0;
    virtual void imgStep1Click() = 0;
    virtual void imgStep2Click() = 0;
    virtual void imgStep3Click() = 0;
    virtual void imgStep4Click() = 0;
    virtual void imgStep5Click() = 0;
    virtual void imgTechClick() = 0;
};
