#include "battle/BubbleText.h"

std::string bubbleRows(const std::string& reply) {
    std::string rows;
    std::string::size_type start = 0;
    while (reply.size() - start > bubbleRow) {
        // A space at most bubbleRow characters on ends the row; one at the
        // row's very start would leave it empty, so it does not count.
        const std::string::size_type space = reply.rfind(' ', start + bubbleRow);
        if (space != std::string::npos && space > start) {
            rows.append(reply, start, space - start).append("\n");
            start = space + 1;
        } else {
            rows.append(reply, start, bubbleRow).append("-\n");
            start += bubbleRow;
        }
    }
    return rows.append(reply, start, std::string::npos);
}

int bubbleLength(const std::string& reply) {
    std::string::size_type length = reply.size();
    if (length > bubbleRow) {
        length += 2;
    }
    if (length > 2 * bubbleRow) {
        length += 2;
    }
    return static_cast<int>(length);
}
