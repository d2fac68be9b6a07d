#pragma once

struct MailingServices;
class SendListTable;

// "Resend to Refused" of the recipient viewer: the connection question, the send
// lock, a new run over the source table's refused rows and its result message.
// False when it did not start or could not connect.
bool ResendToRefused(const MailingServices& services, const SendListTable& source);
