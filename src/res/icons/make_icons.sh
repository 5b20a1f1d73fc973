#!/bin/sh
# Draws the program icon (128) and the language flag icons (141-158, 160-162) as 32x32 and 16x16
# .ico files with ImageMagick.  The .ico files are committed, so the build never needs ImageMagick;
# run this again only to change the art.  Usage: src/res/icons/make_icons.sh
set -eu
cd "$(dirname "$0")"
command -v convert >/dev/null || { echo "make_icons.sh: ImageMagick's convert is needed" >&2; exit 1; }

# flag <id> <draw commands on a 32x22 field> : the flag on a transparent 32x32 square, framed.
flag() {
  id=$1; shift
  convert -size 32x22 xc:white "$@" \
          -fill none -stroke '#404040' -strokewidth 1 -draw 'rectangle 0,0 31,21' \
          -background none -gravity center -extent 32x32 \
          -define icon:auto-resize=32,16 "flag_$id.ico"
}
# Stripes: h <c1> <c2> <c3> horizontal thirds, v ... vertical thirds.
h3() { echo "-fill '$1' -draw 'rectangle 0,0 31,7' -fill '$2' -draw 'rectangle 0,7 31,14' -fill '$3' -draw 'rectangle 0,14 31,21'"; }
v3() { echo "-fill '$1' -draw 'rectangle 0,0 10,21' -fill '$2' -draw 'rectangle 11,0 21,21' -fill '$3' -draw 'rectangle 22,0 31,21'"; }

eval flag 141 "$(h3 '#000000' '#dd0000' '#ffce00')"                       # German
flag 142 -fill '#c8102e' -draw 'rectangle 0,0 31,21' -fill white \
         -draw 'rectangle 9,0 12,21' -draw 'rectangle 0,9 31,12'           # Danish
flag 143 -fill '#c60b1e' -draw 'rectangle 0,0 31,21' -fill '#ffc400' \
         -draw 'rectangle 0,6 31,15'                                        # Spanish
eval flag 144 "$(v3 '#002395' white '#ed2939')"                            # French
flag 145 -fill white -draw 'rectangle 0,0 31,21' -fill '#cf142b' \
         -draw 'rectangle 13,0 18,21' -draw 'rectangle 0,8 31,13'          # English
eval flag 146 "$(v3 '#009246' white '#ce2b37')"                            # Italian
eval flag 147 "$(h3 '#ae1c28' white '#21468b')"                            # Dutch
flag 148 -fill '#046a38' -draw 'rectangle 0,0 12,21' -fill '#da291c' \
         -draw 'rectangle 13,0 31,21' -fill '#ffe900' -draw 'circle 13,11 13,15'  # Portuguese
flag 149 -fill '#e30a17' -draw 'rectangle 0,0 31,21' -fill white -draw 'circle 12,11 12,17' \
         -fill '#e30a17' -draw 'circle 14,11 14,16' -fill white -draw 'circle 21,11 21,13'  # Turkish
eval flag 150 "$(h3 white '#00966e' '#d62612')"                            # Bulgarian
eval flag 151 "$(v3 '#002b7f' '#fcd116' '#ce1126')"                        # Romanian
flag 152 -fill '#de2910' -draw 'rectangle 0,0 31,21' -fill '#ffde00' \
         -draw 'polygon 6,2 7,5 10,5 8,7 9,10 6,8 3,10 4,7 2,5 5,5' \
         -draw 'rectangle 12,2 13,3' -draw 'rectangle 14,5 15,6' -draw 'rectangle 14,8 15,9' \
         -draw 'rectangle 12,11 13,12'                                      # Chinese (Simplified)
flag 153 -fill white -draw 'rectangle 0,0 31,10' -fill '#d7141a' -draw 'rectangle 0,11 31,21' \
         -fill '#11457e' -draw 'polygon 0,0 15,10.5 0,21'                  # Czech
flag 154 -fill '#ba0c2f' -draw 'rectangle 0,0 31,21' -fill white \
         -draw 'rectangle 8,0 14,21' -draw 'rectangle 0,8 31,14' -fill '#00205b' \
         -draw 'rectangle 10,0 12,21' -draw 'rectangle 0,10 31,12'         # Norwegian
flag 155 -fill '#0d5eaf' -draw 'rectangle 0,0 31,21' -fill white \
         -draw 'rectangle 0,3 31,4' -draw 'rectangle 0,8 31,9' -draw 'rectangle 0,13 31,14' \
         -draw 'rectangle 0,18 31,19' -fill '#0d5eaf' -draw 'rectangle 0,0 11,11' -fill white \
         -draw 'rectangle 4,0 6,11' -draw 'rectangle 0,4 11,6'             # Greek
flag 156 -fill white -draw 'rectangle 0,0 31,10' -fill '#dc143c' -draw 'rectangle 0,11 31,21'  # Polish
flag 157 -fill white -draw 'rectangle 0,0 31,21' -fill '#0038b8' \
         -draw 'rectangle 0,2 31,4' -draw 'rectangle 0,17 31,19' -fill none -stroke '#0038b8' \
         -draw 'polygon 16,6 20,13 12,13' -draw 'polygon 16,15 20,8 12,8'  # Hebrew
flag 158 -fill '#da251d' -draw 'rectangle 0,0 31,21' -fill '#ffff00' \
         -draw 'polygon 16,4 17.8,9 23,9 18.8,12 20.3,17 16,14 11.7,17 13.2,12 9,9 14.2,9'  # Vietnamese
flag 160 -fill white -draw 'rectangle 0,0 31,21' -fill '#bc002d' -draw 'circle 16,11 16,17'  # Japanese
eval flag 161 "$(h3 '#cd2a3e' white '#436f4d')"                            # Hungarian
eval flag 162 "$(h3 '#c6363c' '#0c4076' white)"                            # Serbian (Latin)

# The program icon: a wooden crate with a green arrow going into it.
convert -size 32x32 xc:none \
        -fill '#a0652a' -stroke '#5a3512' -strokewidth 1 -draw 'rectangle 3,13 28,29' \
        -stroke '#7a4a1c' -draw 'line 4,18 27,18' -draw 'line 4,24 27,24' \
        -fill '#2e9e3e' -stroke '#14561d' -draw 'polygon 12,2 20,2 20,9 25,9 16,18 7,9 12,9' \
        -define icon:auto-resize=32,16 setup.ico
