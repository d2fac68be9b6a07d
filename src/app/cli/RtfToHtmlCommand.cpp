#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "util/RtfToHtml.h"

namespace {

int rtfToHtml(CliCall& call)
{
    const QStringList files = call.arguments();
    const QString error = ConvertRtfToHtml(files.at(0), files.at(1), {}, {}, {}, {});
    if (error.isEmpty())
        return 0;
    call.err << "rtf2html: Conversion Error (" << error << ")" << Qt::endl;
    return 1;
}

}  // namespace

CliCommand rtfToHtmlCommand()
{
    return {"rtf2html",
            "Converts a rich-text (RTF) file into an HTML file, as a message composed in the "
            "rich-text editor is sent as HTML.",
            {},
            {{"IN", "The RTF file to read."}, {"OUT", "The HTML file to write (UTF-8); an existing one is replaced."}},
            rtfToHtml};
}
