// mironeka-ranking --month YYYY-MM --out DIR MAILBOX...
// The publisher's tool: ranks the month's score mails of the mailboxes
// (mbox files or Maildir folders) into DIR/ranking.json and DIR/index.html.

#include <iostream>
#include <string>
#include <vector>

#include "ranking/run.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return mironeka::ranking::runRankingTool(args, std::cout, std::cerr);
}
