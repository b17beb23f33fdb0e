# Writes the man page of brondel-cli from its --help.
# cmake -DCLI=path/to/brondel-cli -DVERSION=x.y.z -DOUT=brondel-cli.1 -P man-page.cmake
execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${CLI} --help failed")
endif()
string(REPLACE "${CLI}" "brondel-cli" help "${help}")
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "\n\\." "\n\\\\&." help "${help}")
file(WRITE ${OUT} ".TH BRONDEL-CLI 1 \"\" \"brondel ${VERSION}\" \"User Commands\"
.SH NAME
brondel-cli \\- turn drawings into cutting paths for CNC cutting machines, without a display
.SH SYNOPSIS
.B brondel-cli
\\fICOMMAND\\fR [\\fIOPTIONS\\fR]
.SH DESCRIPTION
.nf
${help}.fi
.PP
Each command prints its own options with \\fBbrondel-cli COMMAND --help\\fR.
.SH SEE ALSO
.BR brondel (1)
")
