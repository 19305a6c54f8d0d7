// The commands of tessaly-cli over the program's own data file code.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

// Exit statuses: 0 done, 1 the file is missing, unreadable, foreign, too large to load or holds
// no frame (or the output cannot be written or is the recording itself), 2 the command line is
// wrong.
constexpr int kCliOk = 0;
constexpr int kCliFileProblem = 1;
constexpr int kCliUsage = 2;

// Writes "tessaly-cli: " + problem and the usage text to err; returns kCliUsage.
int reportUsage(std::FILE* err, const char* problem, const char* usageText);

// True, after a message on err, when output names the file input (also through a link):
// writing it would destroy the recording.
bool outputIsInput(const QString& input, const QString& output, std::FILE* err);

// Runs the command in arguments (without the program name); results go to out, messages to
// err.
int runCli(const QStringList& arguments, std::FILE* out, std::FILE* err);
