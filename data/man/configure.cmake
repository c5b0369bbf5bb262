# Fills in the manual page's version: cmake -DIN=... -DOUT=... -DVERSION=... -P
configure_file(${IN} ${OUT} @ONLY)
