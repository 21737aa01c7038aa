// Job type lines of the PJL header: every sequence the job types produce, and
// the job names they carry.
#include <gtest/gtest.h>

#include "FilterRun.h"

using namespace filtertest;

namespace {

struct JobTypeCase {
    const char* name;
    std::string title;
    Options options;
    std::string lines; // job type lines, before the identity lines
    friend void PrintTo(const JobTypeCase& c, std::ostream* os) { *os << c.name; }
};

// Without the user ID key the user table always names the job's user.
const std::string kLineU = "@PJL SET JOBATTR=\"@JOAU=kim\"\r\n";

class JobTypeLines : public ::testing::TestWithParam<JobTypeCase> {};

TEST_P(JobTypeLines, WritesTheLinesItsConditionsSelect) {
    Job job;
    job.title = GetParam().title;
    job.options = GetParam().options;
    EXPECT_EQ(PJLBody(RunFilter(job)), GetParam().lines + Identity() + kLineU);
}

const std::string kHoldStore = "@PJL SET HOLD=STORE\n";
const std::string kPrivate = "@PJL SET HOLDTYPE=PRIVATE\n";

INSTANTIATE_TEST_SUITE_P(
    Sequences, JobTypeLines,
    ::testing::Values(
        JobTypeCase{"SecureWithPassword",
                    "Quarterly",
                    {{"PrintTypeTicketKey", "2"},
                     {"PrintTypeUserNameTicketKey", "abc"},
                     {"PrintTypePasswordTicketKey", "MTIzNA=="},
                     {"DocumentNameTypeTicketKey", "1"},
                     {"PrintTypeProductTypeTicketKey", "1"}},
                    kHoldStore + kPrivate +
                        "@PJL SET USERNAME=\"abc\"\r\n"
                        "@PJL SET HOLDENCRYPTKEY=\"MTIzNA==\"\r\n"
                        "@PJL SET JOBNAME=\"Quarterly\"\r\n"},
        JobTypeCase{"SecureWithoutPassword",
                    "Quarterly",
                    {{"PrintTypeTicketKey", "2"}, {"PrintTypeUserNameTicketKey", "abc"}},
                    kHoldStore + "@PJL SET USERNAME=\"abc\"\r\n"},
        JobTypeCase{"SecureWithoutUserWritesNoHold",
                    "Quarterly",
                    {{"PrintTypeTicketKey", "2"}, {"PrintTypePasswordTicketKey", "MTIzNA=="}},
                    ""},
        JobTypeCase{"SampleWithEnteredName",
                    "Quarterly",
                    {{"PrintTypeTicketKey", "3"},
                     {"PrintTypeUserNameTicketKey", "abc"},
                     {"DocumentNameTypeTicketKey", "2"},
                     {"DocumentNameTicketKey", "Proof copy"},
                     {"PrintTypeProductTypeTicketKey", "1"}},
                    "@PJL SET HOLD=PROOF\n"
                    "@PJL SET USERNAME=\"abc\"\r\n"
                    "@PJL SET JOBNAME=\"Proof copy\"\r\n"},
        JobTypeCase{"DelayedWithTime",
                    "Quarterly",
                    {{"PrintTypeTicketKey", "4"},
                     {"PrintTypeUserNameTicketKey", "abc"},
                     {"DelayPrintTicketKey", "/50/50/58/51/48"},
                     {"DocumentNameTypeTicketKey", "1"},
                     {"PrintTypeProductTypeTicketKey", "3"}},
                    "@PJL SET JOBNAME=\"Quarterly\"\r\n"
                    "@PJL SET JOBATTR=\"@PRTM=22:30\"\r\n"},
        JobTypeCase{"DelayedWithoutTime",
                    "Quarterly",
                    {{"PrintTypeTicketKey", "4"},
                     {"DocumentNameTypeTicketKey", "1"},
                     {"PrintTypeProductTypeTicketKey", "3"}},
                    "@PJL SET JOBNAME=\"Quarterly\"\r\n"},
        JobTypeCase{"MailboxWithPassword",
                    "Quarterly",
                    {{"PrintTypeTicketKey", "5"},
                     {"PrintTypeUserNameTicketKey", "abc"},
                     {"PrintTypeMBNTicketKey", "12"},
                     {"PrintTypeMBNPasswordTicketKey", "Ym94cHc="},
                     {"DocumentNameTypeTicketKey", "2"},
                     {"DocumentNameTicketKey", "Box job"}},
                    "@PJL SET HOLD=BOXSTORE\n" + kPrivate +
                        "@PJL SET BOXNUMBER=12\r\n"
                        "@PJL SET BOXENCRYPTKEY=\"Ym94cHc=\"\r\n"
                        "@PJL SET JOBNAME=\"Box job\"\r\n"},
        JobTypeCase{"MailboxWithoutNumberOrPassword",
                    "Quarterly",
                    {{"PrintTypeTicketKey", "5"}},
                    "@PJL SET HOLD=BOXSTORE\n"},
        JobTypeCase{"NormalWritesNothing",
                    "Quarterly",
                    {{"PrintTypeTicketKey", "1"},
                     {"PrintTypeUserNameTicketKey", "abc"},
                     {"DocumentNameTypeTicketKey", "1"},
                     {"PrintTypeProductTypeTicketKey", "1"}},
                    ""},
        JobTypeCase{"AbsentTypeStillSendsUserAndName",
                    "Quarterly",
                    {{"PrintTypeUserNameTicketKey", "abc"},
                     {"DocumentNameTypeTicketKey", "1"},
                     {"PrintTypeProductTypeTicketKey", "1"}},
                    "@PJL SET USERNAME=\"abc\"\r\n"
                    "@PJL SET JOBNAME=\"Quarterly\"\r\n"},
        JobTypeCase{"ProductTwoCutsTitleToTwelve",
                    "Twenty char title!!",
                    {{"PrintTypeTicketKey", "3"},
                     {"PrintTypeUserNameTicketKey", "abc"},
                     {"DocumentNameTypeTicketKey", "1"},
                     {"PrintTypeProductTypeTicketKey", "2"}},
                    "@PJL SET HOLD=PROOF\n"
                    "@PJL SET USERNAME=\"abc\"\r\n"
                    "@PJL SET JOBNAME=\"Twenty char \"\r\n"},
        JobTypeCase{"NoProductTypeSendsNoTitleName",
                    "Quarterly",
                    {{"PrintTypeTicketKey", "3"},
                     {"PrintTypeUserNameTicketKey", "abc"},
                     {"DocumentNameTypeTicketKey", "1"}},
                    "@PJL SET HOLD=PROOF\n"
                    "@PJL SET USERNAME=\"abc\"\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A protected password is Base64 and may begin with "/": it reaches the
// printer as written, not decoded as an escaped value.
TEST(JobTypePasswords, AreSentAsWrittenEvenWhenTheyBeginWithASlash) {
    Job job;
    job.options = {{"PrintTypeTicketKey", "2"},
                   {"PrintTypeUserNameTicketKey", "/97/98/99"},
                   {"PrintTypePasswordTicketKey", "/65/66+x="}};
    EXPECT_EQ(PJLBody(RunFilter(job)), kHoldStore + kPrivate +
                                           "@PJL SET USERNAME=\"abc\"\r\n"
                                           "@PJL SET HOLDENCRYPTKEY=\"/65/66+x=\"\r\n" +
                                           Identity() + kLineU);

    job.options = {{"PrintTypeTicketKey", "5"},
                   {"PrintTypeMBNTicketKey", "3"},
                   {"PrintTypeMBNPasswordTicketKey", "/9j/4AAQ"}};
    EXPECT_EQ(PJLBody(RunFilter(job)), "@PJL SET HOLD=BOXSTORE\n" + kPrivate +
                                           "@PJL SET BOXNUMBER=3\r\n"
                                           "@PJL SET BOXENCRYPTKEY=\"/9j/4AAQ\"\r\n" +
                                           Identity() + kLineU);
}

// Buffer sizes of the job type fields: a value that does not fit is empty.
TEST(JobTypeFields, ValuesLongerThanTheirFieldReadAsEmpty) {
    Job job;
    job.options = {{"PrintTypeTicketKey", "3"},
                   {"PrintTypeUserNameTicketKey", std::string(25, 'u')},
                   {"DocumentNameTypeTicketKey", "2"},
                   {"DocumentNameTicketKey", std::string(64, 'd')}};
    EXPECT_EQ(PJLBody(RunFilter(job)),
              "@PJL SET JOBNAME=\"" + std::string(64, 'd') + "\"\r\n" + Identity() + kLineU);
    job.options[1].second = std::string(24, 'u');
    job.options[3].second = std::string(65, 'd');
    EXPECT_EQ(PJLBody(RunFilter(job)), "@PJL SET HOLD=PROOF\n@PJL SET USERNAME=\"" +
                                           std::string(24, 'u') + "\"\r\n" + Identity() + kLineU);
}

} // namespace
