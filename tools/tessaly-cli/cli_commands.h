// The commands of tessaly-cli over the program's own data file code.
#pragma once

#include <QStringList>
#include <cstdio>

// Exit statuses: 0 done, 1 the file is missing, unreadable, foreign or holds no frame (or the
// output cannot be written), 2 the command line is wrong.
constexpr int kCliOk = 0;
constexpr int kCliFileProblem = 1;
constexpr int kCliUsage = 2;

// Writes "tessaly-cli: " + problem and the usage text to err; returns kCliUsage.
int reportUsage(std::FILE* err, const char* problem, const char* usageText);

// Runs the command in arguments (without the program name); results go to out, messages to
// err.
int runCli(const QStringList& arguments, std::FILE* out, std::FILE* err);
