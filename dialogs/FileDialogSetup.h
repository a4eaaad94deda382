#pragma once

class QFileDialog;

// Makes a file dialog safe to browse anywhere: its icons and file types come from the names alone. By
// default the dialog reads the start of every file to tell its type, and a file such as /proc/kmsg never
// answers, which held up the dialog, and the program with it, for good.
void NeverReadFilesWhileBrowsing(QFileDialog& dialog);
