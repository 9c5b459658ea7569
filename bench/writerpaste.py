# Pastes each window's copy into a real word processor (LibreOffice Writer, through its UNO
# bridge and ".uno:Paste" from the system clipboard) and prints what arrived: each paragraph,
# with *italic*, _underlined_ and ^raised^ runs marked, and whether a word joiner came along.
#   writerpaste.py DRIVER PORT   (run by writerpaste.sh, with soffice listening on PORT)
import subprocess
import sys
import time
import zipfile
import io

import uno
from com.sun.star.awt.FontSlant import NONE as UPRIGHT
from com.sun.star.awt.FontUnderline import NONE as NOT_UNDERLINED
from com.sun.star.beans import PropertyValue

driver, port = sys.argv[1], sys.argv[2]
resolver = uno.getComponentContext().ServiceManager.createInstanceWithContext(
    "com.sun.star.bridge.UnoUrlResolver", uno.getComponentContext())
for _ in range(100):
    try:
        context = resolver.resolve(
            f"uno:socket,host=localhost,port={port};urp;StarOffice.ComponentContext")
        break
    except Exception:
        time.sleep(0.3)
else:
    sys.exit("Writer did not start")
manager = context.ServiceManager
desktop = manager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
dispatcher = manager.createInstanceWithContext("com.sun.star.frame.DispatchHelper", context)


def marked(portion):
    text = portion.getString()
    if not text:
        return ""
    if portion.CharEscapement > 0:
        text = "^" + text + "^"
    if portion.CharPosture != UPRIGHT:
        text = "*" + text + "*"
    if portion.CharUnderline != NOT_UNDERLINED:
        text = "_" + text + "_"
    return text


copies = subprocess.Popen([driver], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
for line in copies.stdout:
    window = line.split(maxsplit=1)[1].strip()
    flavours = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", "TARGETS"],
                              capture_output=True, text=True).stdout.split()
    odf = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t",
                          "application/vnd.oasis.opendocument.text"], capture_output=True).stdout
    odf_text = zipfile.ZipFile(io.BytesIO(odf)).read("content.xml").decode() if odf else ""
    document = desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, ())
    dispatcher.executeDispatch(document.getCurrentController().getFrame(), ".uno:Paste", "", 0,
                               ())
    paragraphs = []
    for paragraph in document.getText().createEnumeration():
        paragraphs.append("".join(marked(p) for p in paragraph.createEnumeration()))
    whole = document.getText().getString()
    print(f"== {window}: {len(paragraphs)} paragraphs, last "
          f"{'EMPTY' if not paragraphs[-1] else 'not empty'}; word joiner in the paste: "
          f"{'YES' if chr(0x2060) in whole else 'no'}, in the OpenDocument flavour: "
          f"{'YES' if chr(0x2060) in odf_text else 'no'}")
    print("   flavours offered: " + " ".join(f for f in flavours if "/" in f))
    for number, paragraph in enumerate(paragraphs, 1):
        print(f"   {number}: " + paragraph.replace("\n", "⏎"))
    document.close(True)
    copies.stdin.write("next\n")
    copies.stdin.flush()
copies.wait()
