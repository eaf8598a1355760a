// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class THeiObj;
class TLogic;

// The part of the session record that the model writes to by itself: at start-up TLogic stores
// both places and the comparison. The session record implements it; the model does not depend
// on the record's layer, which in turn reads and writes the model.
class SessionStore {
public:
    virtual ~SessionStore() = default;
    virtual void StoreHei(const THeiObj &hei) = 0;
    virtual void StoreLogic(const TLogic &logic) = 0;
};
