#pragma once
#include <QString>

// Copies a template database byte for byte to a new file. The target is written
// under a temporary name and renamed into place, so a failure never leaves half a
// database; an existing target is never overwritten. Returns false on any failure.
bool copyTemplate(const QString &source, const QString &target);
