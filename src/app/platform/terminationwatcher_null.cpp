#include "app/platform/terminationwatcher.h"

// Desktops without termination signals end the program through their own session
// messages; nothing to watch here.
TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {}

TerminationWatcher::~TerminationWatcher() = default;

void TerminationWatcher::readSignal() {}
