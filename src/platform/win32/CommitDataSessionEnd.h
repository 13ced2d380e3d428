#pragma once

#include "platform/SessionEnd.h"

class QSessionManager;

// The session's end on Windows: Qt turns WM_QUERYENDSESSION into its
// commit-data request. The program agrees at once (the request is never
// cancelled) and closes without its questions.
class CommitDataSessionEnd : public SessionEnd {
    Q_OBJECT

public:
    explicit CommitDataSessionEnd(QObject* parent = nullptr);

private:
    void commitData(QSessionManager& manager);
};
