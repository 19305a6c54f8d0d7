// Whether two paths lead to one file, so that an output never replaces its own input.
#pragma once

#include <QString>

// True when both paths exist and name the same file (same device and inode), also through
// symbolic or hard links.
bool isSameFile(const QString& a, const QString& b);
