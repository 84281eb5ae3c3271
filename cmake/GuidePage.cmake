# Turns the user guide (docs/guide.md) into one HTML page that a browser
# opens from the disk: cmark-gfm's HTML (with its table extension) in a
# document that declares UTF-8 and Japanese, the stylesheet docs/guide.css
# inlined, an id on each heading as GitHub gives it (so that the guide's own
# links, written for GitHub, hold), each picture a figure with its caption
# shown under it, and the pictures copied beside the page.
# Fails, naming them, on a link to a heading that is not there, on a picture
# or page that does not ship with it, on a picture without a caption (one
# inside a sentence, or with an empty caption) and on Markdown's ** or __
# left in the text, where a reader would see them; the last two with the
# guide's line.
#
#   cmake -DCMARK_GFM=... -DGUIDE=docs/guide.md -DSTYLE=docs/guide.css
#         -DPICTURES=a.png;b.png -DHOMEPAGE=https://... -DOUTPUT=dir/guide.html
#         -P cmake/GuidePage.cmake
#
# HOMEPAGE stands in for ../README.md, which is not installed.
cmake_minimum_required(VERSION 3.25)

foreach(variable CMARK_GFM GUIDE STYLE PICTURES HOMEPAGE OUTPUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "GuidePage.cmake needs -D${variable}=...")
    endif()
endforeach()

# --sourcepos marks each block with the guide's lines it comes from, for the
# messages; the marks are taken out before the page is written.
execute_process(COMMAND ${CMARK_GFM} --extension table --validate-utf8 --sourcepos ${GUIDE}
    OUTPUT_VARIABLE body
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CMARK_GFM} failed on ${GUIDE}: ${errors}")
endif()

# CMake's lists split at every ";" outside square brackets: the page's own
# semicolons (in entities such as &amp;) and brackets stand aside until it is
# written.
string(ASCII 26 semicolon)
string(ASCII 27 openBracket)
string(ASCII 28 closeBracket)
string(REPLACE ";" "${semicolon}" body "${body}")
string(REPLACE "[" "${openBracket}" body "${body}")
string(REPLACE "]" "${closeBracket}" body "${body}")
function(restored text out)
    string(REPLACE "${semicolon}" ";" text "${text}")
    string(REPLACE "${openBracket}" "[" text "${text}")
    string(REPLACE "${closeBracket}" "]" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A heading's id as GitHub makes it: the text without tags and entities, ASCII
# letters in lower case, punctuation left out (ASCII, and the Japanese marks
# the guide's headings use), each space a hyphen; a second heading of the
# same text gets -1, a third -2.
function(heading_id text out)
    string(REGEX REPLACE "<[^>]*>" "" text "${text}")
    string(REGEX REPLACE "&[#a-zA-Z0-9]+${semicolon}" "" text "${text}")
    string(TOLOWER "${text}" text)
    string(REGEX REPLACE "[]!\"#$%&'()*+,./:<=>?@[\\^`{|}~]" "" text "${text}")
    string(REPLACE "${openBracket}" "" text "${text}")
    string(REPLACE "${closeBracket}" "" text "${text}")
    foreach(mark 、 。 ， ． ・ ： ； ？ ！ （ ） ［ ］ ｛ ｝ 「 」 『 』 【 】 〈 〉 《 》 “ ” ‘ ’ ／ ＼ ～ 〜 …
            ＋ ＝ ＆ ＃ ％ ＠ "　")
        string(REPLACE "${mark}" "" text "${text}")
    endforeach()
    string(REPLACE " " "-" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The form cmark-gfm writes a link's target in: bytes outside ASCII as %XX.
function(percent_encoded text out)
    string(HEX "${text}" hex)
    string(REGEX MATCHALL ".." bytes "${hex}")
    set(result "")
    foreach(byte IN LISTS bytes)
        if(byte MATCHES "^[0-7]")
            math(EXPR code "0x${byte}")
            string(ASCII ${code} character)
            string(APPEND result "${character}")
        else()
            string(TOUPPER "${byte}" byte)
            string(APPEND result "%${byte}")
        endif()
    endforeach()
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

# Each heading is replaced where it stands: its guide lines make it unlike
# any other, even one of the same text, so that the second gets its -1.
string(REGEX MATCHALL "<h[1-6] data-sourcepos=\"[^\"]*\">[^\n]*</h[1-6]>" headings "${body}")
set(targets)
set(ids)
foreach(heading IN LISTS headings)
    string(REGEX REPLACE "^<h([1-6])[^>]*>(.*)</h[1-6]>$" "\\1" level "${heading}")
    string(REGEX REPLACE "^<h([1-6])[^>]*>(.*)</h[1-6]>$" "\\2" text "${heading}")
    heading_id("${text}" id)
    set(unique "${id}")
    set(n 0)
    while(unique IN_LIST ids)
        math(EXPR n "${n} + 1")
        set(unique "${id}-${n}")
    endwhile()
    list(APPEND ids "${unique}")
    percent_encoded("${unique}" encoded)
    list(APPEND targets "#${encoded}")
    string(REPLACE "${heading}" "<h${level} id=\"${unique}\">${text}</h${level}>" body "${body}")
    if(NOT title)
        string(REGEX REPLACE "<[^>]*>" "" title "${text}")
    endif()
endforeach()

# A picture that is a paragraph of its own becomes a figure, its caption (the
# Markdown's ![caption](file.png)) both its alt text and shown under it.
string(REGEX REPLACE
    "<p( data-sourcepos=\"[^\"]*\")><img src=\"([^\"]*)\" alt=\"([^\"]+)\" /></p>"
    "<figure\\1><img src=\"\\2\" alt=\"\\3\"><figcaption>\\3</figcaption></figure>"
    body "${body}")

# Every link inside the page leads to a heading; every other link without a
# scheme, and every picture, to a file shipped beside the page.
set(missing)
string(REGEX MATCHALL "href=\"[^\"]*\"" links "${body}")
foreach(link IN LISTS links)
    string(REGEX REPLACE "^href=\"(.*)\"$" "\\1" target "${link}")
    if(target MATCHES "^#")
        if(NOT target IN_LIST targets)
            list(APPEND missing "heading ${target}")
        endif()
    elseif(target STREQUAL "../README.md")
        string(REPLACE "${link}" "href=\"${HOMEPAGE}\"" body "${body}")
    elseif(NOT target MATCHES "^[a-z]+:")
        list(APPEND missing "file ${target}")
    endif()
endforeach()
set(shipped)
foreach(picture IN LISTS PICTURES)
    get_filename_component(name "${picture}" NAME)
    list(APPEND shipped "${name}")
endforeach()
string(REGEX MATCHALL "src=\"[^\"]*\"" sources "${body}")
foreach(source IN LISTS sources)
    string(REGEX REPLACE "^src=\"(.*)\"$" "\\1" name "${source}")
    if(NOT name IN_LIST shipped)
        list(APPEND missing "picture ${name}")
    endif()
endforeach()
if(missing)
    list(JOIN missing ", " missing)
    message(FATAL_ERROR "${GUIDE} links to what its page does not have: ${missing}")
endif()

# What a reader would otherwise stumble on, line by line with the guide's
# line it comes from (the last block begun on or before it, counted on): a
# picture left without a caption, and ** or __ that did not become bold, as
# next to Japanese punctuation, outside code and preformatted text.
set(faults "")
string(REPLACE "\n" ";" lines "${body}")
set(guideLine 0)
set(preformatted OFF)
foreach(line IN LISTS lines)
    if(line MATCHES ".*data-sourcepos=\"([0-9]+):")
        set(guideLine ${CMAKE_MATCH_1})
    else()
        math(EXPR guideLine "${guideLine} + 1")
    endif()
    set(figure "<figure[^>]*><img src=\"[^\"]*\" alt=\"[^\"]+\"><figcaption>[^<]+</figcaption></figure>")
    string(REGEX REPLACE "${figure}" "" rest "${line}")
    string(REGEX MATCHALL "<img [^>]*>" pictures "${rest}")
    foreach(picture IN LISTS pictures)
        string(REGEX REPLACE ".* src=\"([^\"]*)\".*" "\\1" name "${picture}")
        restored("${name}" name)
        string(APPEND faults "${GUIDE}:${guideLine}: the picture ${name} has no caption under it \
(make it a paragraph of its own: ![caption](${name}))\n")
    endforeach()

    set(text "${line}")
    if(preformatted)
        if(NOT text MATCHES "</pre>")
            continue()
        endif()
        string(REGEX REPLACE ".*</pre>" "" text "${text}")
        set(preformatted OFF)
    endif()
    if(text MATCHES "<pre")
        string(REGEX REPLACE "<pre.*" "" text "${text}")
        if(NOT line MATCHES "</pre>")
            set(preformatted ON)
        endif()
    endif()
    string(REGEX REPLACE "<code>[^<]*</code>" "" text "${text}")
    string(REGEX REPLACE "<[^>]*>" "" text "${text}")
    if(text MATCHES "[*][*]|__")
        restored("${text}" text)
        string(APPEND faults
            "${GUIDE}:${guideLine}: Markdown's ${CMAKE_MATCH_0} shows in the text: ${text}\n")
    endif()
endforeach()
if(NOT faults STREQUAL "")
    message(FATAL_ERROR "${faults}")
endif()
string(REGEX REPLACE " data-sourcepos=\"[^\"]*\"" "" body "${body}")

# The guide's lines end inside sentences as the Markdown was written; a
# browser would show each such line end between two Japanese characters as a
# space. Outside preformatted text, a line end after a Japanese closing mark
# is dropped.
set(joined "")
set(rest "${body}")
while(NOT rest STREQUAL "")
    string(FIND "${rest}" "<pre" start)
    if(start EQUAL -1)
        set(prose "${rest}")
        set(rest "")
        set(verbatim "")
    else()
        string(SUBSTRING "${rest}" 0 ${start} prose)
        string(SUBSTRING "${rest}" ${start} -1 rest)
        string(FIND "${rest}" "</pre>" end)
        math(EXPR end "${end} + 6")
        string(SUBSTRING "${rest}" 0 ${end} verbatim)
        string(SUBSTRING "${rest}" ${end} -1 rest)
    endif()
    foreach(mark 。 、 ） 」 』 ： ！ ？)
        string(REPLACE "${mark}\n" "${mark}" prose "${prose}")
    endforeach()
    string(APPEND joined "${prose}${verbatim}")
endwhile()

restored("${joined}" joined)
restored("${title}" title)
file(READ ${STYLE} style)
file(WRITE ${OUTPUT}.new "<!DOCTYPE html>
<html lang=\"ja\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${title}</title>
<style>
${style}</style>
</head>
<body>
<main>
${joined}</main>
</body>
</html>
")
file(RENAME ${OUTPUT}.new ${OUTPUT})

get_filename_component(folder ${OUTPUT} DIRECTORY)
foreach(picture IN LISTS PICTURES)
    get_filename_component(name "${picture}" NAME)
    file(COPY_FILE "${picture}" "${folder}/${name}" ONLY_IF_DIFFERENT)
endforeach()
