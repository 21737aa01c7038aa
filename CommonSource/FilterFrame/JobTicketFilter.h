// Special pages: the job-ticket document the dialog prepared, sent in front
// of the job.
#pragma once

extern char psOptionSpecialPage[256];

int SpecialPageGetTicketFromPDE(char* const argv[]);
// Forgets the job-ticket file name before the ticket is read.
void SpecialPageInializeDescriptionTable();
// Copies the job-ticket file to the output. Only a regular file directly in
// the spool directory, with a name as the dialog makes it, that neither group
// nor others may write, is taken; anything else is skipped and the job prints
// without it.
void InjectKPIFCommandSP();
// Deletes the job-ticket file that InjectKPIFCommandSP sent; called once the
// whole job has gone out, so a failed job leaves the ticket for its retry.
void SpecialPageDeleteSentTicket();
