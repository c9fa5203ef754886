<?xml version="1.0" encoding="utf-8"?>
<!-- Pellmark book as a web page: a browser that opens a book saved with the
     style-sheet link ("Save as XML wint xsl link") shows it through this
     style sheet, which lies beside the book. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:fb="http://www.gribuser.ru/xml/fictionbook/2.0" exclude-result-prefixes="fb">
  <xsl:output method="html" encoding="utf-8"/>

  <xsl:template match="/fb:FictionBook">
    <html>
      <head>
        <title><xsl:value-of select="fb:description/fb:title-info/fb:book-title"/></title>
        <style>
          body { max-width: 40em; margin: 2em auto; font-family: serif; line-height: 1.4 }
          .author, h1 { text-align: center }
          .epigraph { margin-left: 50%; font-style: italic }
          .text-author { text-align: right; font-style: normal }
          p { text-indent: 1.5em; margin: 0 }
        </style>
      </head>
      <body>
        <div class="author">
          <xsl:for-each select="fb:description/fb:title-info/fb:author">
            <xsl:value-of select="fb:first-name"/><xsl:text> </xsl:text><xsl:value-of select="fb:last-name"/>
          </xsl:for-each>
        </div>
        <h1><xsl:value-of select="fb:description/fb:title-info/fb:book-title"/></h1>
        <xsl:apply-templates select="fb:body"/>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="fb:section"><div class="section"><xsl:apply-templates/></div></xsl:template>
  <xsl:template match="fb:title"><h2><xsl:apply-templates/></h2></xsl:template>
  <xsl:template match="fb:title/fb:p"><xsl:apply-templates/><br/></xsl:template>
  <xsl:template match="fb:epigraph"><div class="epigraph"><xsl:apply-templates/></div></xsl:template>
  <xsl:template match="fb:text-author"><div class="text-author"><xsl:apply-templates/></div></xsl:template>
  <xsl:template match="fb:p"><p><xsl:apply-templates/></p></xsl:template>
  <xsl:template match="fb:empty-line"><br/></xsl:template>
  <xsl:template match="fb:emphasis"><i><xsl:apply-templates/></i></xsl:template>
  <xsl:template match="fb:strong"><b><xsl:apply-templates/></b></xsl:template>
  <xsl:template match="fb:sup"><sup><xsl:apply-templates/></sup></xsl:template>
  <xsl:template match="fb:sub"><sub><xsl:apply-templates/></sub></xsl:template>
</xsl:stylesheet>
