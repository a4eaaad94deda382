#pragma once

#include "ui/Download.h"

#include <string>

class IMessageBoxes;
class QWidget;

// Where the check reads the update manifest and how long it may take; tests point it at a server of their
// own.
struct TUpdateSource {
    std::string ManifestAddress;
    TDownloadLimits Limits;
};
// The maker's manifest, "http://" + the update host set at build time + "/files/updates.xml".
TUpdateSource DefaultUpdateSource();
void SetUpdateSource(TUpdateSource source);

// Asks the update server for the newest version and offers to open its download address when it is newer
// than this program. Every failure of the program's own kinds comes out as ESimpleException showing
// "Error Checking Updates" and logging the reason. Its boxes belong to owner.
void CheckForUpdates(IMessageBoxes& boxes, QWidget* owner);
