<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A translation that covers a few strings only, as a language library might hand over. -->
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="str.61337">
        <source>Keep Original</source>
        <translation>Garder l&apos;original</translation>
    </message>
    <message id="str.61221">
        <source>Thanks for using %s. Sure to exit?</source>
        <translation>Merci d&apos;avoir utilisé %s. Quitter ?</translation>
    </message>
    <message id="str.61212">
        <source>Detecting selected files.
No.%d/%d: &quot;%s&quot;</source>
        <translation>Fichier « %s » n° %d/%d</translation>
    </message>
    <message id="str.61340">
        <source>Disable Audio</source>
        <translation>100 %n</translation>
    </message>
</context>
</TS>
