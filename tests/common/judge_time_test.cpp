#include "common/judge_time.h"

#include <gtest/gtest.h>

// The figures Windows reports (processor time of the job) and Wine's (0).
TEST(JudgeTime, ProcessorTimeWhereReportedElseTheWallClock) {
    struct {
        unsigned long long cpu, wall, shown;
        bool over;
    } const cases[] = {
        {0, 150, 150, false},      // Wine: the wall clock from the resume judges
        {0, 2001, 2001, true},
        {120, 3500, 120, false},   // a scan or a wait beside little work is not the program's
        {2001, 2100, 2001, true},  // working past the limit
        {1, 5000, 1, false},       // waiting, up to twice the limit and a second
        {1, 5001, 1, true},
        {2000, 2000, 2000, false},
    };
    for (const auto& c : cases) {
        judge_time::Judged judged = judge_time::Judge({c.cpu, c.wall}, 2000);
        EXPECT_EQ(judged.ms, c.shown) << c.cpu << " " << c.wall;
        EXPECT_EQ(judged.overLimit, c.over) << c.cpu << " " << c.wall;
    }
}
